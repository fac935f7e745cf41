#include "updater/TDownloadForm.h"

#include "updater/TMainForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TDownloadForm* DownloadForm = nullptr;

namespace {

QFont FormFont(int pixelHeight) {
    QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
    font.setPixelSize(pixelHeight);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* text, int left, int top, int width, int height,
                  bool centred) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(left, top, width, height);
    label->setFont(FormFont(16));
    if (centred) {
        label->setAlignment(Qt::AlignCenter);
    }
    return label;
}

} // namespace

TDownloadForm::TDownloadForm() : QWidget(nullptr, Qt::Dialog) {
    setWindowTitle(QString::fromUtf8("ダウンロード中"));
    setGeometry(289, 143, 338, 184);
    setFont(FormFont(12));
    Label3 = MakeLabel(this, "ダウンロード中...", 16, 8, 109, 16, false);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setGeometry(16, 32, 289, 25);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    LabelTotal = MakeLabel(this, "", 16, 72, 105, 17, true);
    Label1 = MakeLabel(this, "中", 128, 72, 16, 16, false);
    LabelFinished = MakeLabel(this, "", 152, 72, 113, 17, true);
    Label2 = MakeLabel(this, "完了", 272, 72, 32, 16, false);
    ButtonCancel = new QPushButton(QString::fromUtf8("キャンセル"), this);
    ButtonCancel->setGeometry(200, 104, 97, 33);
    ButtonCancel->setFont(FormFont(12));
    QObject::connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
}

void TDownloadForm::ButtonCancelClick() {
    if (MainForm) {
        MainForm->NMHTTP_QuorvanToolsSetupEXE.Disconnect();
    }
}

#include "updater/TDownloadForm.h"

#include "platform/qt/UiFont.h"
#include "updater/TMainForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TDownloadForm* DownloadForm = nullptr;

namespace {

const QString kFormFont = QString::fromUtf8("ＭＳ Ｐゴシック");

TLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* label = new TLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(UiFont(kFormFont, -16));
    label->move(left, top);
    label->SetCaption(QString::fromUtf8(caption));
    return label;
}

QLabel* MakeNumberLabel(QWidget* parent, const char* name, int left, int top, int width,
                        int height) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(UiFont(kFormFont, -16));
    label->setGeometry(left, top, width, height);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TDownloadForm::TDownloadForm() : QWidget(nullptr, Qt::Dialog) {
    setObjectName(QStringLiteral("DownloadForm"));
    setWindowTitle(QString::fromUtf8("ダウンロード中"));
    setGeometry(289, 143, 338, 184);
    setFont(UiFont(kFormFont, -12));
    Label3 = MakeLabel(this, "Label3", "ダウンロード中...", 16, 8);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(16, 32, 289, 25);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    LabelTotal = MakeNumberLabel(this, "LabelTotal", 16, 72, 105, 17);
    Label1 = MakeLabel(this, "Label1", "中", 128, 72);
    LabelFinished = MakeNumberLabel(this, "LabelFinished", 152, 72, 113, 17);
    Label2 = MakeLabel(this, "Label2", "完了", 272, 72);
    ButtonCancel = new QPushButton(QString::fromUtf8("キャンセル"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(200, 104, 97, 33);
    ButtonCancel->setFont(UiFont(kFormFont, -12));
    QObject::connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
}

void TDownloadForm::ButtonCancelClick() {
    if (MainForm) {
        MainForm->NMHTTP_QuorvanToolsSetupEXE.Disconnect();
    }
}

#include "TWaitCalcForm.h"

#include "FormFrame.h"

#include "platform/qt/QtText.h"
#include "platform/qt/UiFont.h"

#include <QCloseEvent>

namespace {

const char* const kMarks[] = {"―", "＼", "│", "／"};

const QString kFormFont = QString::fromUtf8("ＭＳ Ｐゴシック");

} // namespace

QString TurnedMark(const QString& caption, int step) {
    const int from = ((step % 4) + 4) % 4;
    QString turned = caption;
    turned.replace(QString::fromUtf8(kMarks[from]), QString::fromUtf8(kMarks[(from + 1) % 4]),
                   Qt::CaseInsensitive);
    return turned;
}

TWaitCalcForm::TWaitCalcForm(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("WaitCalcForm"));
    setWindowTitle(QString::fromUtf8("計算中"));
    setFont(UiFont(kFormFont, -12));
    setFixedSize(FormFrame::ClientSize(243, 114));
    const QFont labelFont = UiFont(kFormFont, -15);
    Label1 = new TLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(labelFont);
    Label1->move(32, 16);
    Label1->SetCaption(QString::fromUtf8("最安値を算出しています。"));
    Label2 = new TLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(labelFont);
    Label2->move(24, 40);
    Label2->SetCaption(QString::fromUtf8("しばらくお待ちください．．．―"));
}

void TWaitCalcForm::TurnMark(int step) {
    Label2->SetCaption(TurnedMark(ToQString(Label2->Caption()), step));
}

void TWaitCalcForm::FormClose(QObject*, TCloseAction& Action) {
    Action = caFree;
}

void TWaitCalcForm::showEvent(QShowEvent* event) {
    if (mainWindow_ != nullptr) {
        const QRect frame = mainWindow_->frameGeometry();
        move(frame.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    QWidget::showEvent(event);
}

void TWaitCalcForm::closeEvent(QCloseEvent* event) {
    if (!closeAllowed_) {
        event->ignore();
        return;
    }
    TCloseAction action = caHide;
    FormClose(this, action);
    event->accept();
    if (action == caFree) {
        deleteLater();
    }
}

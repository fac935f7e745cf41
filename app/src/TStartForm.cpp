#include "TStartForm.h"

#include "FormFrame.h"

#include "platform/qt/UiFont.h"

TStartForm::TStartForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("StartForm"));
    setWindowTitle(QStringLiteral("SorvanePro"));
    // No border icons: a title without system menu, minimise or close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(FormFrame::ClientSize(kOuterWidth, kOuterHeight));
    const QFont font = UiFont(QString::fromUtf8("ＭＳ Ｐゴシック"), -16);
    Label1 = new TLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(font);
    Label1->move(24, 24);
    Label1->SetCaption(QString::fromUtf8("SorvanePro起動中"));
    Label2 = new TLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(font);
    Label2->move(40, 48);
    Label2->SetCaption(QString::fromUtf8("しばらくお待ちください．．．"));
    FormFrame::CentreOnScreen(*this, kOuterWidth, kOuterHeight);
}

#include "TStartForm.h"

#include "platform/qt/UiFont.h"

#include <QGuiApplication>
#include <QScreen>

TStartForm::TStartForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("StartForm"));
    setWindowTitle(QStringLiteral("SorvanePro"));
    // No border icons: a title without system menu, minimise or close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(263, 126);
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
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

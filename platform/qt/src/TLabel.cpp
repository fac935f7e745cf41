#include "platform/qt/TLabel.h"

#include "platform/qt/QtText.h"

#include <QEvent>

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void TLabel::SetCaption(const AnsiString& caption) {
    caption_ = caption;
    QString text = ToQString(caption);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setText(text);
    adjustSize();
}

void TLabel::SetCaption(const QString& caption) {
    SetCaption(FromQString(caption));
}

void TLabel::SetFontColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

void TLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        adjustSize();
    }
}

#include "platform/qt/TLabel.h"

#include "platform/qt/DrawText.h"
#include "platform/qt/QtText.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

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

QSize TLabel::sizeHint() const {
    const QStringList lines = text().split(QLatin1Char('\n'));
    const QFontMetrics metrics(font());
    int width = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    const int step = DrawTextLineStep(font());
    return QSize(width + 1, step * static_cast<int>(lines.size()));
}

void TLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    DrawText(painter, text(), rect(), dt::LEFT);
}

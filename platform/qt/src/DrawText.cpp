#include "platform/qt/DrawText.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QRegularExpression>

#include <cmath>

namespace {

int EmHeight(const QFont& font) {
    if (font.pixelSize() > 0) {
        return font.pixelSize();
    }
    return QFontInfo(font).pixelSize();
}

void DrawLine(QPainter& painter, const QString& line, const QRect& rect, int emTop,
              unsigned flags) {
    const QFontMetrics metrics(painter.font());
    const int advance = metrics.horizontalAdvance(line);
    int x = rect.left();
    if (flags & dt::CENTER) {
        x = rect.left() + (rect.width() - advance) / 2;
    } else if (flags & dt::RIGHT) {
        x = rect.right() + 1 - advance;
    }
    // Ideographs fill the em box down to 0.12 em below the baseline.
    const int baseline = emTop + static_cast<int>(std::lround(EmHeight(painter.font()) * 0.88));
    painter.drawText(QPoint(x, baseline), line);
}

} // namespace

int DrawTextLineStep(const QFont& font) {
    return EmHeight(font) + 2;
}

void DrawText(QPainter& painter, const QString& text, const QRect& rect, unsigned flags) {
    const int em = EmHeight(painter.font());
    if (flags & dt::SINGLELINE) {
        QString line = text;
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        const int emTop =
            (flags & dt::VCENTER) ? rect.top() + (rect.height() - em) / 2 : rect.top();
        DrawLine(painter, line, rect, emTop, flags);
        return;
    }
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(breaks);
    const int step = DrawTextLineStep(painter.font());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        DrawLine(painter, lines[i], rect, rect.top() + static_cast<int>(i) * step, flags);
    }
}

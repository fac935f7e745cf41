#pragma once

#include <QPainter>
#include <QRect>
#include <QString>

// Text drawing with the flags of the Windows text call, for owner-drawn cells. Lines are laid
// out on the font's em box (its pixel size) with two pixels between lines, as the Windows user
// interface fonts do, so that a layout made for them holds with any stand-in font.
namespace dt {

constexpr unsigned LEFT = 0x0;
constexpr unsigned CENTER = 0x1;
constexpr unsigned RIGHT = 0x2;
constexpr unsigned VCENTER = 0x4;
constexpr unsigned SINGLELINE = 0x20;
constexpr unsigned EDITCONTROL = 0x2000;

} // namespace dt

// Draws `text` into `rect` with the painter's font and pen. SINGLELINE draws one line (line
// breaks are dropped) and honours VCENTER; otherwise every "\r\n", "\r" or "\n" starts a line and
// the lines start at the top of the rectangle. LEFT, CENTER and RIGHT align each line.
void DrawText(QPainter& painter, const QString& text, const QRect& rect, unsigned flags);

// Height of one line and the gap to the next, in pixels, as DrawText lays them out.
int DrawTextLineStep(const QFont& font);

#pragma once

#include <QSize>

class QWidget;

// The form descriptions give a window's outer size, frame included, as the Windows desktop drew
// it: a sizing border of 8 pixels on each side and a caption bar, 16 x 38 pixels in all. The
// controls were laid out for the client area that leaves, so every window takes the outer size
// less this frame as its client size, whatever frame this desktop draws around it.
namespace FormFrame {

inline constexpr int kWidth = 16;
inline constexpr int kHeight = 38;

constexpr QSize ClientSize(int outerWidth, int outerHeight) {
    return QSize(outerWidth - kWidth, outerHeight - kHeight);
}

// Places the window so that a frame of the outer size is centred on the primary screen's
// available area.
void CentreOnScreen(QWidget& window, int outerWidth, int outerHeight);

} // namespace FormFrame

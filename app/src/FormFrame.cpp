#include "FormFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace FormFrame {

void CentreOnScreen(QWidget& window, int outerWidth, int outerHeight) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.left() + (available.width() - outerWidth) / 2,
                    available.top() + (available.height() - outerHeight) / 2);
    }
}

} // namespace FormFrame

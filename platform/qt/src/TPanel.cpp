#include "platform/qt/TPanel.h"

#include <QPainter>

TPanel::TPanel(QWidget* parent) : QWidget(parent) {}

void TPanel::SetBevelOuter(Bevel bevel) {
    if (bevel != bevelOuter_) {
        bevelOuter_ = bevel;
        update();
    }
}

void TPanel::paintEvent(QPaintEvent*) {
    if (bevelOuter_ == Bevel::None || width() < 1 || height() < 1) {
        return;
    }
    QPainter painter(this);
    const int right = width() - 1;
    const int bottom = height() - 1;
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    painter.fillRect(0, 0, right, 1, light);       // top, less the top-right corner
    painter.fillRect(0, 0, 1, bottom, light);      // left, less the bottom-left corner
    painter.fillRect(right, 0, 1, height(), dark); // right
    painter.fillRect(0, bottom, width(), 1, dark); // bottom
}

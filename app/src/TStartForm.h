#pragma once

#include "platform/qt/TLabel.h"

#include <QWidget>

// The splash window shown while the main window starts up. It has no behaviour of its own.
class TStartForm : public QWidget {
public:
    // Outer size, frame included: fixed.
    static constexpr int kOuterWidth = 263;
    static constexpr int kOuterHeight = 126;

    explicit TStartForm(QWidget* owner = nullptr);

    TLabel* Label1;
    TLabel* Label2;
};

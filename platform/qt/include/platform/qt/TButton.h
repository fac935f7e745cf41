#pragma once

#include <QPushButton>

#include <functional>

// A push button with the class library's OnClick and Tag. Click() runs OnClick as a click of
// the user does.
class TButton : public QPushButton {
public:
    explicit TButton(QWidget* parent = nullptr);

    int Tag = 0;
    std::function<void()> OnClick;

    void Click();
};

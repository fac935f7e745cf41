#pragma once

#include <QRadioButton>

#include <functional>

// A radio button with the class library's rule: OnClick runs whenever the button becomes
// checked, by the user or from code (SetChecked(true) on an unchecked button); clicking the
// button that is already checked runs nothing.
class TRadioButton : public QRadioButton {
public:
    explicit TRadioButton(QWidget* parent = nullptr);

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked);

    std::function<void()> OnClick;
};

#include "platform/qt/TRadioButton.h"

TRadioButton::TRadioButton(QWidget* parent) : QRadioButton(parent) {
    connect(this, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked && OnClick) {
            OnClick();
        }
    });
}

void TRadioButton::SetChecked(bool checked) {
    if (!checked && isChecked() && autoExclusive()) {
        // An exclusive button cannot be unchecked directly; lift the rule for this one change.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
        return;
    }
    setChecked(checked);
}

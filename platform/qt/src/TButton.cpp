#include "platform/qt/TButton.h"

TButton::TButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick) {
            OnClick();
        }
    });
}

void TButton::Click() {
    if (OnClick) {
        OnClick();
    }
}

#include "platform/qt/TRadioGroup.h"

#include <QFontMetrics>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked && OnClick) {
            OnClick();
        }
    });
}

void TRadioGroup::SetItems(const QStringList& items) {
    for (QRadioButton* button : buttons_) {
        group_.removeButton(button);
        delete button;
    }
    buttons_.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_.addButton(button, i);
        buttons_.push_back(button);
        button->show();
    }
    ArrangeButtons();
}

int TRadioGroup::ItemIndex() const {
    return group_.checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (index == ItemIndex()) {
        return;
    }
    if (index < 0 || index >= Count()) {
        group_.setExclusive(false);
        if (QAbstractButton* checked = group_.checkedButton()) {
            checked->setChecked(false);
        }
        group_.setExclusive(true);
        return;
    }
    buttons_[static_cast<std::size_t>(index)]->setChecked(true);
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    ArrangeButtons();
}

// The buttons share the space below the caption evenly, one per line, as the class library
// lays them out.
void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) {
        return;
    }
    const int captionHeight = QFontMetrics(font()).height();
    const int top = captionHeight;
    const int available = height() - top - 2;
    const int step = available / static_cast<int>(buttons_.size());
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setGeometry(8, top + static_cast<int>(i) * step, width() - 12,
                                 std::max(step, buttons_[i]->sizeHint().height()));
    }
}

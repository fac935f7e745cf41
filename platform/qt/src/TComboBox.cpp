#include "platform/qt/TComboBox.h"

#include "platform/Exceptions.h"
#include "platform/qt/QtText.h"

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    // activated is the user's choice only; currentIndexChanged would also follow the code.
    connect(this, &QComboBox::activated, this, [this] {
        if (OnChange) {
            OnChange();
        }
    });
}

const AnsiString& TComboBox::Item(int index) const {
    if (index < 0 || index >= Count()) {
        throw EListError::IndexOutOfBounds(index);
    }
    return items_[static_cast<std::size_t>(index)];
}

void TComboBox::AddItem(const AnsiString& text) {
    items_.push_back(text);
    const QSignalBlocker blocker(this);
    const int before = currentIndex();
    addItem(ToQString(text));
    // A list that was empty keeps no selection, as the class library's list does.
    if (before < 0) {
        setCurrentIndex(-1);
    }
}

void TComboBox::Clear() {
    items_.clear();
    const QSignalBlocker blocker(this);
    clear();
}

void TComboBox::SetItemIndex(int index) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(index >= 0 && index < Count() ? index : -1);
}

AnsiString TComboBox::Text() const {
    const int index = currentIndex();
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : AnsiString();
}

int TComboBox::IndexOfText(const AnsiString& text) const {
    const QString wanted = ToQString(text);
    for (int i = 0; i < Count(); ++i) {
        if (QString::compare(ToQString(items_[static_cast<std::size_t>(i)]), wanted,
                             Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

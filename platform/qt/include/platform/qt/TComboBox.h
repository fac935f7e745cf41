#pragma once

#include "platform/AnsiString.h"

#include <QComboBox>

#include <functional>
#include <vector>

// A drop-down list with the class library's rules: OnChange runs when the user chooses an item
// (also the one already chosen), never when the code sets the index, clears or adds items.
// Items keep their code-page-932 bytes exactly.
class TComboBox : public QComboBox {
public:
    explicit TComboBox(QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(items_.size()); }
    const AnsiString& Item(int index) const;
    void AddItem(const AnsiString& text);
    void Clear();

    // Index of the chosen item, -1 when none.
    int ItemIndex() const { return currentIndex(); }
    // Chooses an item from code (-1: none); out-of-range values choose none.
    void SetItemIndex(int index);
    // Text of the chosen item, empty when none.
    AnsiString Text() const;
    // Index of the first item whose whole text equals `text` regardless of letter case; -1 when
    // none.
    int IndexOfText(const AnsiString& text) const;

    std::function<void()> OnChange;

private:
    std::vector<AnsiString> items_;
};

#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

#include <functional>
#include <vector>

// A framed group of radio buttons with one chosen index, as the class library's radio group:
// OnClick runs whenever the chosen index changes, by the user or from code (SetItemIndex);
// choosing the item already chosen runs nothing.
class TRadioGroup : public QGroupBox {
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int Count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* Button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    // -1 when none is chosen.
    int ItemIndex() const;
    void SetItemIndex(int index);

    std::function<void()> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrangeButtons();

    QButtonGroup group_;
    std::vector<QRadioButton*> buttons_;
};

#pragma once

#include <QTabWidget>

#include <functional>

// Pages with tabs, as the class library's page control: OnChanging runs before the user moves
// to another page and may refuse the move; choosing a page from code (SetActivePageIndex) asks
// nothing.
class TPageControl : public QTabWidget {
public:
    explicit TPageControl(QWidget* parent = nullptr);

    // Adds a page for controls placed by position and returns it.
    QWidget* AddPage(const QString& caption, const QString& name);

    int ActivePageIndex() const { return currentIndex(); }
    void SetActivePageIndex(int index) { setCurrentIndex(index); }

    std::function<void(bool& allowChange)> OnChanging;

    // True when the user may leave the current page (OnChanging allows it).
    bool MayChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

#include "platform/qt/TPageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QWheelEvent>

namespace {

// The tab bar asks the page control before a click, key or wheel turn changes the page.
class TabBar : public QTabBar {
public:
    explicit TabBar(TPageControl* owner) : QTabBar(owner), owner_(owner) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const int index = tabAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex() &&
            !owner_->MayChange()) {
            event->accept();
            return;
        }
        QTabBar::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        int step = 0;
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            step = -1;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            step = 1;
            break;
        default:
            break;
        }
        if (WouldChange(step) && !owner_->MayChange()) {
            event->accept();
            return;
        }
        QTabBar::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override {
        const int delta =
            event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
        const int step = delta > 0 ? -1 : delta < 0 ? 1 : 0;
        if (WouldChange(step) && !owner_->MayChange()) {
            event->accept();
            return;
        }
        QTabBar::wheelEvent(event);
    }

private:
    // Whether moving `step` tabs from the current one reaches an enabled tab: only then is the
    // page about to change, and only then is the page control asked.
    bool WouldChange(int step) const {
        if (step == 0) {
            return false;
        }
        for (int index = currentIndex() + step; index >= 0 && index < count(); index += step) {
            if (isTabEnabled(index) && isTabVisible(index)) {
                return true;
            }
        }
        return false;
    }

public:
private:
    TPageControl* owner_;
};

} // namespace

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new TabBar(this));
}

QWidget* TPageControl::AddPage(const QString& caption, const QString& name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    addTab(page, caption);
    return page;
}

bool TPageControl::MayChange() {
    bool allow = true;
    if (OnChanging) {
        OnChanging(allow);
    }
    return allow;
}

void TPageControl::keyPressEvent(QKeyEvent* event) {
    const bool switches = (event->modifiers() & Qt::ControlModifier) &&
                          (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
                           event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown);
    if (switches && !MayChange()) {
        event->accept();
        return;
    }
    QTabWidget::keyPressEvent(event);
}

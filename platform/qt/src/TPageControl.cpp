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
        if (!owner_->MayChange()) {
            event->accept();
            return;
        }
        QTabBar::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override {
        if (!owner_->MayChange()) {
            event->accept();
            return;
        }
        QTabBar::wheelEvent(event);
    }

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

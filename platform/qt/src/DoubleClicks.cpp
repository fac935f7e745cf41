#include "platform/qt/DoubleClicks.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

bool SameControlDoubleClicks::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) ||
        !watched->isWidgetType()) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    const quint64 time = mouse->timestamp();
    if (type == QEvent::MouseButtonPress) {
        // A press that a control leaves to its parents reaches them with the same time.
        if (!anyPress_ || time != pressTime_) {
            pressed_ = widget;
            pressTime_ = time;
            anyPress_ = true;
        }
        return false;
    }
    if (anyDoubleClick_ && time == doubleClickTime_) {
        return false;
    }
    doubleClickTime_ = time;
    anyDoubleClick_ = true;
    // The first click of the pair is the last press, within the double-click time before. A
    // double click made without one (by a test tool) has nothing to be judged against.
    const auto interval =
        static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    const bool firstClickNear = anyPress_ && time >= pressTime_ && time - pressTime_ <= interval;
    if (!firstClickNear || pressed_ == widget) {
        return false;
    }
    // The first click went elsewhere: for this control the second click is a press like any
    // other (Qt gives a widget no press of its own for the click that made a double click).
    QMouseEvent press(QEvent::MouseButtonPress, mouse->position(), mouse->scenePosition(),
                      mouse->globalPosition(), mouse->button(), mouse->buttons(),
                      mouse->modifiers(), mouse->pointingDevice());
    press.setTimestamp(time);
    QCoreApplication::sendEvent(widget, &press);
    return true;
}

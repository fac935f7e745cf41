#include "BrowserEvents.h"

#include <QCoreApplication>
#include <QPointer>

#include <deque>
#include <vector>

namespace browser_events {

namespace {

struct State {
    std::deque<std::function<void()>> queue;
    std::vector<QPointer<QObject>> disposals;
    int engineCallbacks = 0;
    int documentWaits = 0;
    bool scheduled = false;
};

State& Current() {
    static State state;
    return state;
}

bool Held() {
    const State& state = Current();
    return state.engineCallbacks > 0 || state.documentWaits > 0;
}

void RunOne();

void Schedule() {
    State& state = Current();
    if (state.scheduled || state.queue.empty() || QCoreApplication::instance() == nullptr) {
        return;
    }
    state.scheduled = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            Current().scheduled = false;
            RunOne();
        },
        Qt::QueuedConnection);
}

void RunOne() {
    State& state = Current();
    if (Held() || state.queue.empty()) {
        // Resumed by the scope that holds the queue when it ends.
        return;
    }
    std::function<void()> action = std::move(state.queue.front());
    state.queue.pop_front();
    // The next action may run while this one pumps messages, as events do in a message loop.
    Schedule();
    action();
}

void DisposePending() {
    State& state = Current();
    if (state.disposals.empty() || QCoreApplication::instance() == nullptr) {
        return;
    }
    // Posted, not done here: the engine's caller may still be on the stack.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            State& later = Current();
            if (later.engineCallbacks > 0) {
                return;
            }
            std::vector<QPointer<QObject>> objects;
            objects.swap(later.disposals);
            for (const QPointer<QObject>& object : objects) {
                delete object.data();
            }
        },
        Qt::QueuedConnection);
}

void Released() {
    if (!Held()) {
        Schedule();
    }
    if (Current().engineCallbacks == 0) {
        DisposePending();
    }
}

} // namespace

void Post(std::function<void()> action) {
    Current().queue.push_back(std::move(action));
    if (!Held()) {
        Schedule();
    }
}

void Clear() {
    Current().queue.clear();
}

bool InEngineCallback() {
    return Current().engineCallbacks > 0;
}

EngineCallbackScope::EngineCallbackScope() {
    ++Current().engineCallbacks;
}

EngineCallbackScope::~EngineCallbackScope() {
    --Current().engineCallbacks;
    Released();
}

DocumentWaitScope::DocumentWaitScope() {
    ++Current().documentWaits;
}

DocumentWaitScope::~DocumentWaitScope() {
    --Current().documentWaits;
    Released();
}

void Dispose(QObject* object) {
    if (object == nullptr) {
        return;
    }
    if (Current().engineCallbacks > 0) {
        Current().disposals.emplace_back(object);
    } else {
        delete object;
    }
}

void DisposeWaiting() {
    std::vector<QPointer<QObject>> objects;
    objects.swap(Current().disposals);
    for (const QPointer<QObject>& object : objects) {
        delete object.data();
    }
}

} // namespace browser_events

#pragma once

#include <QObject>

#include <functional>

// The browser layer's delivery of events to the programs' handlers, and the guards around the
// places where the engine waits on us.
//
// The engine calls some functions synchronously and cannot make progress of its own until they
// return (deciding a navigation, a console message, a new window, a script dialog); a wait for
// a page's answer inside them never ends. Events are therefore queued and run one per pass of
// the message loop, never while the engine waits on us and never while a document access waits
// for its answer.
namespace browser_events {

// Queues an action; actions run in the order they were queued.
void Post(std::function<void()> action);

// Drops every queued action (at the end of the session).
void Clear();

// True while the engine waits for one of our functions to return.
bool InEngineCallback();

// Marks a function that the engine waits on.
class EngineCallbackScope {
public:
    EngineCallbackScope();
    ~EngineCallbackScope();
    EngineCallbackScope(const EngineCallbackScope&) = delete;
    EngineCallbackScope& operator=(const EngineCallbackScope&) = delete;
};

// Marks a document access waiting for its answer.
class DocumentWaitScope {
public:
    DocumentWaitScope();
    ~DocumentWaitScope();
    DocumentWaitScope(const DocumentWaitScope&) = delete;
    DocumentWaitScope& operator=(const DocumentWaitScope&) = delete;
};

// Deletes an object of the engine (page or view) now, or, while the engine waits on us, once
// it has stopped waiting.
void Dispose(QObject* object);

// Deletes at once every object whose deletion is still waiting (at the end of the session).
void DisposeWaiting();

} // namespace browser_events

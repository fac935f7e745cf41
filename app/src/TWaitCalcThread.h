#pragma once

#include <QPointer>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class QWidget;
class TWaitCalcForm;

// Keeps the wait dialog turning while the automatic refinement runs. The dialog is a window and
// lives on the main thread: the constructor makes and shows it there; the thread's body only
// asks the main thread, once a second while Running is set, to turn its mark (the main thread
// does it when it next handles its messages). Stop it in this order: clear Running, Terminate,
// delete the object; deleting waits until the body has returned, then closes and frees the
// dialog.
class TWaitCalcThread {
public:
    // Makes and shows the dialog (centred on `mainWindow`) and starts the thread with Running
    // set. Call it on the main thread.
    explicit TWaitCalcThread(QWidget* mainWindow = nullptr);
    ~TWaitCalcThread();
    TWaitCalcThread(const TWaitCalcThread&) = delete;
    TWaitCalcThread& operator=(const TWaitCalcThread&) = delete;

    // Requests the end of the thread: a body waiting for its next step wakes at once.
    void Terminate();

    // The dialog while it lives.
    TWaitCalcForm* Form() const;

    // The dialog turns while this is set; the main thread clears it to stop the thread.
    std::atomic<bool> Running{true};

private:
    void Execute();

    QPointer<TWaitCalcForm> form_;
    // The dialog as the thread addresses it; it outlives the thread.
    TWaitCalcForm* target_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool terminated_ = false;
    std::thread thread_;
};

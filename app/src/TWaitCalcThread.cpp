#include "TWaitCalcThread.h"
#include "TWaitCalcForm.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <chrono>

namespace {

constexpr auto kStep = std::chrono::milliseconds(1000);

} // namespace

TWaitCalcThread::TWaitCalcThread(QWidget* mainWindow) {
    form_ = new TWaitCalcForm(mainWindow);
    target_ = form_.data();
    form_->show();
    form_->raise();
    form_->activateWindow();
    // The dialog lives on this thread, which now sleeps without handling messages: let it
    // paint once now, so that it is seen from the start of the run.
    form_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    thread_ = std::thread([this] { Execute(); });
}

TWaitCalcThread::~TWaitCalcThread() {
    Running = false;
    Terminate();
    if (thread_.joinable()) {
        thread_.join();
    }
    // The dialog's close frees it later; it goes now, once, and its pending turns with it.
    if (form_) {
        form_->AllowClose();
        form_->close();
    }
    delete form_.data();
}

TWaitCalcForm* TWaitCalcThread::Form() const {
    return form_.data();
}

void TWaitCalcThread::Terminate() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        terminated_ = true;
    }
    wake_.notify_all();
}

void TWaitCalcThread::Execute() {
    int step = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    while (Running && !terminated_) {
        TWaitCalcForm* form = target_;
        QMetaObject::invokeMethod(
            form, [form, step] { form->TurnMark(step); }, Qt::QueuedConnection);
        wake_.wait_for(lock, kStep, [this] { return terminated_ || !Running; });
        step = (step + 1) % 4;
    }
}

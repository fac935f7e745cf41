// Helpers the handlers share: emptying the result grid, coordinate and distance texts to
// numbers, a wait that keeps the window handling its messages without spinning, and the check
// for a close before a message box.
#include "TMainForm.h"

#include "platform/Clock.h"
#include "platform/Conversions.h"
#include "platform/Exceptions.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cmath>

void TMainForm::ClearResultGrid() {
    // Emptied before the grid shrinks, so that no old text shows when it grows again.
    StringGrid->EmptyRows(1, StringGrid->RowCount() - 1);
    StringGrid->SetRowCount(2);
}

double TMainForm::StrToDoubleDef(const AnsiString& text) {
    if (text.IsEmpty()) {
        // Reading the first character of an empty text is outside its range.
        throw ERangeError("Range check error");
    }
    return StrToFloat(text);
}

void TMainForm::WaitSeconds(double seconds) {
    const double limit = seconds * 1000.0;
    Clock& clock = Clock::Current();
    const std::int64_t start = clock.Milliseconds();
    std::int64_t now = start;
    AbortIfClosed();
    do {
        now = clock.Milliseconds();
        HandleMessagesWithin(limit - static_cast<double>(now - start));
        AbortIfClosed();
    } while (static_cast<double>(now - start) < limit);
}

void TMainForm::AbortIfCloseRequested() {
    AbortIfClosed();
    // The X11 platform takes up the input it held back only once its dispatcher is woken: the
    // wake-up makes this pass deliver it even when nothing else has come since.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        dispatcher->wakeUp();
    }
    QCoreApplication::processEvents();
    AbortIfClosed();
}

void TMainForm::HandleMessagesWithin(double milliseconds) {
    if (milliseconds > 0.0 && Clock::Current().PassesInRealTime()) {
        // Handles what is pending, else sleeps until the next message comes; the timer's own
        // message ends the sleep when the time is up first.
        QTimer timeUp;
        timeUp.setSingleShot(true);
        timeUp.setTimerType(Qt::PreciseTimer);
        timeUp.start(static_cast<int>(std::min(std::ceil(milliseconds), 2147483647.0)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } else {
        QCoreApplication::processEvents();
    }
}

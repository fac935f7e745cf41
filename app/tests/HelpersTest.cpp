#include "MainFormFixture.h"

#include "platform/Clock.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <ctime>

namespace {

// A clock that moves on by a step each time it is read.
class SteppingClock : public Clock {
public:
    explicit SteppingClock(int step) : step_(step) {}
    std::int64_t Milliseconds() override { return now_ += step_, now_ - step_; }
    void Sleep(int milliseconds) override { now_ += milliseconds; }
    int reads() const { return static_cast<int>(now_ / step_); }

private:
    int step_;
    std::int64_t now_ = 0;
};

TEST_F(MainFormTest, ClearingTheGridLeavesOneEmptyRowAndNoOldTexts) {
    Start();
    TStringGrid& grid = *Form().StringGrid;
    grid.SetRowCount(11);
    for (int row = 1; row < 11; ++row) {
        for (int col = 0; col < 15; ++col) {
            grid.SetCell(col, row, "x");
        }
    }
    Form().ClearResultGrid();
    EXPECT_EQ(grid.RowCount(), 2);
    grid.SetRowCount(11);
    for (int row = 1; row < 11; ++row) {
        for (int col = 0; col < 15; ++col) {
            EXPECT_EQ(grid.Cell(col, row), AnsiString()) << col << "," << row;
        }
    }
}

TEST_F(MainFormTest, TextsBecomeNumbersOrRaise) {
    Create();
    EXPECT_EQ(Form().StrToDoubleDef("-12345.6"), -12345.6);
    EXPECT_EQ(Form().StrToDoubleDef("60"), 60.0);
    EXPECT_THROW(Form().StrToDoubleDef(""), ERangeError);
    EXPECT_THROW(Form().StrToDoubleDef("1.2.3"), EConvertError);
    EXPECT_THROW(Form().StrToDoubleDef("abc"), EConvertError);
}

TEST_F(MainFormTest, WaitingKeepsHandlingMessagesUntilTheTimeIsUp) {
    Create();
    SteppingClock clock(100);
    const ClockScope scope(clock);
    int handled = 0;
    QTimer::singleShot(0, [&] { ++handled; });
    Form().WaitSeconds(0);
    EXPECT_EQ(handled, 1) << "handles messages at least once";
    EXPECT_EQ(clock.reads(), 2);

    Form().WaitSeconds(0.5);
    EXPECT_EQ(clock.reads(), 2 + 6) << "start, then until 500 ms have passed";
}

double ThreadCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// On the system clock the wait sleeps between messages instead of spinning: it handles every
// message that comes, returns once the time is up, and its thread uses a small part of that
// time.
TEST_F(MainFormTest, WaitingOnTheSystemClockSleepsBetweenMessages) {
    Create();
    QCoreApplication::processEvents();
    int ticks = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&] { ++ticks; });
    ticking.start(50);
    bool late = false;
    QTimer::singleShot(150, [&] { late = true; });
    const auto start = std::chrono::steady_clock::now();
    const double cpuBefore = ThreadCpuSeconds();
    Form().WaitSeconds(0.5);
    const double cpu = ThreadCpuSeconds() - cpuBefore;
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(499)) << "the clock counts whole milliseconds";
    EXPECT_TRUE(late) << "a message that comes during the wait is handled";
    EXPECT_GE(ticks, 5) << "every message that comes is handled";
    EXPECT_LT(cpu, 0.25) << "the wait spins instead of sleeping";

    bool posted = false;
    QTimer::singleShot(0, [&] { posted = true; });
    const auto zeroStart = std::chrono::steady_clock::now();
    Form().WaitSeconds(0);
    EXPECT_TRUE(posted) << "handles messages at least once";
    EXPECT_LT(std::chrono::steady_clock::now() - zeroStart, std::chrono::milliseconds(400))
        << "a wait of no time does not sleep";
}

} // namespace

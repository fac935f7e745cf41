#include "MainFormFixture.h"

#include "platform/Clock.h"
#include "platform/Exceptions.h"

#include <QTimer>

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

} // namespace

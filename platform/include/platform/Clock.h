#pragma once

#include <cstdint>

// Time as the programs see it: a millisecond counter and a sleep. Code that waits or measures
// asks this clock, so that tests can put a clock of their own in its place and run waits
// without sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::int64_t Milliseconds() = 0;
    // Suspends the calling thread (a test clock may only advance its counter).
    virtual void Sleep(int milliseconds) = 0;
    // Whether the clock's time passes as real time does, so that a wait may block the thread
    // for the time it still has to wait. A clock whose time moves only when it is read or told
    // (a test clock) says no: a wait on it keeps polling.
    virtual bool PassesInRealTime() const { return false; }

    // The clock in use: the system's steady clock unless a test installed another.
    static Clock& Current();
    // Installs a clock (nullptr: the system clock again) and returns the previous one.
    static Clock* Install(Clock* clock);
};

// A clock that only moves when it is told to, or by the time a sleep asks for.
class ManualClock : public Clock {
public:
    std::int64_t Milliseconds() override { return now_; }
    void Sleep(int milliseconds) override { now_ += milliseconds; }
    void Advance(std::int64_t milliseconds) { now_ += milliseconds; }

private:
    std::int64_t now_ = 0;
};

// Installs a clock for the lifetime of the scope.
class ClockScope {
public:
    explicit ClockScope(Clock& clock) : previous_(Clock::Install(&clock)) {}
    ~ClockScope() { Clock::Install(previous_); }
    ClockScope(const ClockScope&) = delete;
    ClockScope& operator=(const ClockScope&) = delete;

private:
    Clock* previous_;
};

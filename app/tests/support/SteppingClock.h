#pragma once

#include "platform/Clock.h"

// A clock for waits that pump messages: every reading moves it on by a step, so that a wait of
// a given time ends after that time divided by the step readings, without real time passing.
// A sleep moves it on by the time asked. For the main thread only.
class SteppingClock : public Clock {
public:
    explicit SteppingClock(std::int64_t stepMs = 1) : step_(stepMs) {}

    std::int64_t Milliseconds() override {
        const std::int64_t now = now_;
        now_ += step_;
        return now;
    }
    void Sleep(int milliseconds) override { now_ += milliseconds; }
    void Advance(std::int64_t milliseconds) { now_ += milliseconds; }
    // The time now, without a step.
    std::int64_t Now() const { return now_; }

private:
    std::int64_t step_;
    std::int64_t now_ = 0;
};

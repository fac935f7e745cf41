#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class SystemClock : public Clock {
public:
    std::int64_t Milliseconds() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void Sleep(int milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    bool PassesInRealTime() const override { return true; }
};

SystemClock& System() {
    static SystemClock clock;
    return clock;
}

std::atomic<Clock*>& Installed() {
    static std::atomic<Clock*> clock{nullptr};
    return clock;
}

} // namespace

Clock& Clock::Current() {
    Clock* clock = Installed().load();
    return clock ? *clock : System();
}

Clock* Clock::Install(Clock* clock) {
    return Installed().exchange(clock);
}

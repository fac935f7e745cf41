#include "platform/testing/ProcessTesting.h"

#include "platform/Process.h"

#include <unistd.h>

std::vector<std::uint32_t> ProcessIdsNamed(const AnsiString& name) {
    std::vector<std::uint32_t> ids;
    for (const ProcessEntry& entry : ProcessSnapshot()) {
        if (entry.exeName == name) {
            ids.push_back(entry.id);
        }
    }
    return ids;
}

bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition()) {
            return true;
        }
        ::usleep(10000);
    }
    return condition();
}

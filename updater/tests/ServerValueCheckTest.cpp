#include "updater/ServerValueCheck.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerValueCheckTest, RefusesWhatCouldLeaveTheFolder) {
    const struct {
        AnsiString value;
        bool safe;
    } cases[] = {
        {"VakrelSetup", true},
        {"", true},
        {"2.0.1", true},
        {"Setup (new)", true},
        {u8"見積ソフト"_sj, true}, // "ソ" ends in the byte of "\"
        {std::string(kMaxServerNameLength, 'a'), true},
        {std::string(kMaxServerNameLength + 1, 'a'), false},
        {"../Setup", false},
        {"..", false},
        {"2.0/../../x", false},
        {"sub/Setup", false},
        {"/bin/sh", false},
        {"..\\Setup", false},
        {"Setup\\x", false},
        {AnsiString("Set\0up", 6), false},
        {"Setup\r\n", false},
        {"Setup\x7f", false},
        {"\x81/", false}, // a lead byte does not hide a following "/"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSafeServerName(c.value), c.safe) << Printable(c.value);
    }
}

} // namespace

#include "updater/UpdaterTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdaterTextsTest, UpdateQuestionIndentsWithIdeographicSpaces) {
    const AnsiString text = UpdateQuestionText("Tool", "1.0", "2.0");
    // "【情報】", a line break and two U+3000 (0x81 0x40 in code page 932) before the name.
    EXPECT_EQ(text.SubString(1, 17),
              AnsiString("\x81\x79\x8f\xee\x95\xf1\x81\x7a\n\x81\x40\x81\x40Tool"))
        << Printable(text);
    EXPECT_TRUE(text.Contains("\n\x81\x40\x81\x40\x8c\xbb\x8d\xdd")) << Printable(text);
}

} // namespace

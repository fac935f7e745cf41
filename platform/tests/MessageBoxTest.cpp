#include "platform/MessageBox.h"
#include "platform/testing/MessageBoxRecorder.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxTest, RecorderKeepsEveryCallAndAnswersFromItsScript) {
    MessageBoxRecorder recorder;
    recorder.Answer(mb::IDYES);
    EXPECT_EQ(ShowMessageBox(u8"更新しますか？"_sj, u8"確認"_sj, 0x40024), mb::IDYES);
    EXPECT_EQ(ShowMessageBox("second", "cap", 0x40024), mb::IDNO); // unscripted question: No
    EXPECT_EQ(ShowMessageBox("third", "cap", 0x30), mb::IDOK);
    ASSERT_EQ(recorder.Calls().size(), 3u);
    EXPECT_EQ(recorder.Calls()[0],
              (MessageBoxRecorder::Call{u8"更新しますか？"_sj, u8"確認"_sj, 0x40024}));
    EXPECT_EQ(recorder.Calls()[2].flags, 0x30u);
}

TEST(MessageBoxTest, RecordersNestAndRestoreThePreviousHandler) {
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        ShowMessageBox("a", "b", 0);
        EXPECT_EQ(inner.Calls().size(), 1u);
    }
    ShowMessageBox("c", "d", 0);
    ASSERT_EQ(outer.Calls().size(), 1u);
    EXPECT_EQ(outer.Calls()[0].text, AnsiString("c"));
}

} // namespace

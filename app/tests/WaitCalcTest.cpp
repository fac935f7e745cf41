#include "TWaitCalcForm.h"
#include "TWaitCalcThread.h"

#include "platform/browser/testing/BrowserTesting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>

namespace {

std::string Mark(const TWaitCalcForm& form) {
    const std::string caption = form.Label2->Caption().ToUtf8();
    const std::string prefix = "しばらくお待ちください．．．";
    EXPECT_EQ(caption.rfind(prefix, 0), 0u) << caption;
    return caption.substr(prefix.size());
}

TEST(WaitCalcTest, TheMarkTurnsThroughFourPositionsAndBack) {
    TWaitCalcForm form;
    EXPECT_EQ(form.windowTitle().toStdString(), "計算中");
    EXPECT_EQ(form.size(), QSize(227, 76)) << "243 x 114 with the frame";
    for (const TLabel* label : {form.Label1, form.Label2}) {
        EXPECT_LE(label->geometry().right(), 227) << label->objectName().toStdString();
    }
    EXPECT_EQ(form.Label1->Caption().ToUtf8(), "最安値を算出しています。");
    std::vector<std::string> marks{Mark(form)};
    for (int step = 0; step < 4; ++step) {
        form.TurnMark(step);
        marks.push_back(Mark(form));
    }
    EXPECT_EQ(marks, (std::vector<std::string>{"―", "＼", "│", "／", "―"}));
    // Every occurrence turns; another step's mark leaves the caption as it is.
    EXPECT_EQ(TurnedMark(QString::fromUtf8("―a―"), 0).toStdString(), "＼a＼");
    EXPECT_EQ(TurnedMark(QString::fromUtf8("―"), 1).toStdString(), "―");
}

TEST(WaitCalcTest, TheThreadTurnsTheShownDialogUntilItIsStopped) {
    auto thread = std::make_unique<TWaitCalcThread>();
    QPointer<TWaitCalcForm> form = thread->Form();
    ASSERT_FALSE(form.isNull());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(thread->Running);
    // The first turn is asked for at once.
    EXPECT_TRUE(WaitUntil([&] { return Mark(*form) == "＼"; }));
    EXPECT_FALSE(form->close()) << "the user cannot close it";
    EXPECT_TRUE(form->isVisible());

    thread->Running = false;
    thread->Terminate();
    thread.reset();
    EXPECT_TRUE(form.isNull()) << "gone with the thread, freed once";
    QCoreApplication::processEvents(); // no turn is left for the freed dialog
}

} // namespace

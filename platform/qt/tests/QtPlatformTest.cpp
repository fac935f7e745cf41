#include "platform/Conversions.h"
#include "platform/Exceptions.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtText.h"
#include "platform/testing/MessageBoxRecorder.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(QtPlatformTest, TextConvertsBothWays) {
    EXPECT_EQ(ToQString(u8"処分場"_sj), QString::fromUtf8("処分場"));
    EXPECT_EQ(FromQString(QString::fromUtf8("ｱｽｺﾝ塊")), u8"ｱｽｺﾝ塊"_sj);
    EXPECT_EQ(ToQString(AnsiString("\xFF", 1)), QString(QChar(0xFFFD)));
}

TEST(QtPlatformTest, ErrorsEscapingAHandlerGoToTheErrorDisplay) {
    MessageBoxRecorder recorder;
    SetApplicationTitle("Vakrel");
    bool after = false;
    RunHandler([&] {
        throw EConvertError("'abc' は有効な整数値ではありません。");
        after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(
        recorder.Calls()[0],
        (MessageBoxRecorder::Call{u8"'abc' は有効な整数値ではありません。"_sj, "Vakrel", 0x10}));
}

// The class library's silent exception, raised deep in a handler, ends it without a message.
TEST(QtPlatformTest, AnAbortEndsTheHandlerWithoutAMessage) {
    MessageBoxRecorder recorder;
    const auto wait = [] { throw EAbort(); };
    bool after = false;
    RunHandler([&] {
        wait();
        after = true;
    });
    EXPECT_FALSE(after);
    EXPECT_TRUE(recorder.Calls().empty());
}

std::string Repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

// However long an error's text, the display shows at most its first 300 and its last 100
// characters, cut between characters, with a mark for what it left out.
TEST(QtPlatformTest, TheErrorDisplayShortensLongTextsBetweenCharacters) {
    MessageBoxRecorder recorder;
    SetApplicationTitle("Vakrel");
    const std::string kanji = "\xE6\xBC\xA2"; // 漢, two bytes in code page 932
    struct Case {
        std::string text;
        std::string shown;
    } cases[] = {
        {std::string(400, 'a'), std::string(400, 'a')},
        {Repeated(kanji, 400), Repeated(kanji, 400)}, // 800 bytes, but 400 characters
        {std::string(300, 'h') + "m" + std::string(100, 't'),
         std::string(300, 'h') + "\xE2\x80\xA6" + std::string(100, 't')},
        {std::string("a") + Repeated(kanji, 600) + "z",
         std::string("a") + Repeated(kanji, 299) + "\xE2\x80\xA6" + Repeated(kanji, 99) + "z"},
    };
    for (const Case& c : cases) {
        recorder.Clear();
        RunHandler([&] { throw Exception(c.text); });
        ASSERT_EQ(recorder.Calls().size(), 1u);
        EXPECT_EQ(recorder.Calls()[0],
                  (MessageBoxRecorder::Call{AnsiString::FromUtf8(c.shown), "Vakrel", 0x10}));
    }

    // A megabyte that is no number keeps the end of its message.
    recorder.Clear();
    RunHandler([] { StrToFloat(AnsiString(std::string(1 << 20, '9') + "x")); });
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].text.ToUtf8(), std::string("'") + std::string(299, '9') +
                                                     "\xE2\x80\xA6" + std::string(79, '9') +
                                                     "x' は有効な浮動小数点数ではありません。");
}

TEST(QtPlatformTest, QtMessageBoxShowsTextCaptionAndButtons) {
    struct Case {
        unsigned flags;
        QMessageBox::Icon icon;
        bool yesNo;
        bool topMost;
    } cases[] = {{0x40030, QMessageBox::Warning, false, true},
                 {0x40040, QMessageBox::Information, false, true},
                 {0x40024, QMessageBox::Question, true, true},
                 {0x30, QMessageBox::Warning, false, false},
                 {0x40000, QMessageBox::NoIcon, false, true}};
    for (const Case& c : cases) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->text(), QString::fromUtf8("本文"));
            EXPECT_EQ(box->windowTitle(), QString::fromUtf8("題"));
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.topMost);
            box->button(c.yesNo ? QMessageBox::Yes : QMessageBox::Ok)->click();
        });
        const int answer = ShowQtMessageBox(u8"本文"_sj, u8"題"_sj, c.flags);
        EXPECT_TRUE(seen);
        EXPECT_EQ(answer, c.yesNo ? mb::IDYES : mb::IDOK);
    }
}

} // namespace

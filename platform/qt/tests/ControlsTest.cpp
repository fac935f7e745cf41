#include "platform/qt/DrawText.h"
#include "platform/qt/KeyChar.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TButton.h"
#include "platform/qt/TComboBox.h"
#include "platform/qt/TEdit.h"
#include "platform/qt/TLabel.h"
#include "platform/qt/TPageControl.h"

#include "platform/qt/TRadioButton.h"
#include "platform/qt/TRadioGroup.h"
#include "platform/qt/UiFont.h"
#include <QWheelEvent>

#include <QFontDatabase>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(TComboBoxTest, ChangeRunsOnlyForTheUsersChoice) {
    TComboBox combo;
    int changes = 0;
    combo.OnChange = [&] { ++changes; };
    combo.AddItem("A");
    combo.AddItem("B");
    combo.AddItem("C");
    EXPECT_EQ(combo.ItemIndex(), -1) << "adding items chooses nothing";
    combo.SetItemIndex(1);
    combo.Clear();
    combo.AddItem("A");
    combo.AddItem("B");
    combo.SetItemIndex(0);
    EXPECT_EQ(changes, 0);

    combo.show();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
    emit combo.activated(1); // the user choosing the item already chosen
    EXPECT_EQ(changes, 2);
}

TEST(TComboBoxTest, TextAndSearchKeepTheBytesAndIgnoreCase) {
    TComboBox combo;
    combo.AddItem(u8"津地区"_sj);
    combo.AddItem("Area b");
    combo.AddItem(u8"ＡＢＣ"_sj);
    EXPECT_EQ(combo.Text(), AnsiString());
    combo.SetItemIndex(0);
    EXPECT_EQ(combo.Text(), u8"津地区"_sj);
    EXPECT_EQ(combo.IndexOfText("AREA B"), 1);
    EXPECT_EQ(combo.IndexOfText(u8"ａｂｃ"_sj), 2);
    EXPECT_EQ(combo.IndexOfText("Area"), -1) << "the whole text must match";
    EXPECT_EQ(combo.IndexOfText(""), -1);
    combo.SetItemIndex(7);
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(TRadioButtonTest, CheckingRunsClickFromCodeAndFromTheUser) {
    QWidget parent;
    auto* first = new TRadioButton(&parent);
    auto* second = new TRadioButton(&parent);
    first->setGeometry(0, 0, 80, 20);
    second->setGeometry(0, 30, 80, 20);
    int firstClicks = 0;
    int secondClicks = 0;
    first->OnClick = [&] { ++firstClicks; };
    second->OnClick = [&] { ++secondClicks; };
    first->SetChecked(true);
    EXPECT_EQ(firstClicks, 1);
    first->SetChecked(true);
    EXPECT_EQ(firstClicks, 1) << "an already checked button is not clicked again";
    parent.show();
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    EXPECT_EQ(secondClicks, 1);
    EXPECT_EQ(firstClicks, 1);
    second->SetChecked(false);
    EXPECT_FALSE(second->Checked());
}

TEST(TRadioGroupTest, ClickRunsWhenTheIndexChanges) {
    TRadioGroup group;
    group.setGeometry(0, 0, 121, 57);
    group.SetItems({QStringLiteral("sum"), QStringLiteral("distance")});
    int clicks = 0;
    group.OnClick = [&] { ++clicks; };
    group.SetItemIndex(0);
    EXPECT_EQ(clicks, 1);
    group.SetItemIndex(0);
    EXPECT_EQ(clicks, 1);
    group.show();
    group.Button(1)->click();
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(clicks, 2);
    group.SetItemIndex(-1);
    EXPECT_EQ(group.ItemIndex(), -1);
}

TEST(TEditTest, KeyPressFiltersTypedCharactersButNotPastedText) {
    TEdit edit;
    int changes = 0;
    std::string seen;
    edit.OnChange = [&] { ++changes; };
    edit.OnKeyPress = [&](char& key) {
        seen += key;
        if (key != '\b' && (key < '0' || key > '9')) {
            key = 0;
        }
    };
    edit.show();
    QTest::keyClicks(&edit, "1a2");
    EXPECT_EQ(edit.Text(), AnsiString("12"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.Text(), AnsiString("1"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(seen, std::string("1a2\b\x16"));
    edit.insert(QStringLiteral("x.y")); // pasted
    EXPECT_EQ(edit.Text(), AnsiString("1x.y"));
    EXPECT_EQ(changes, 4);
}

// A filter that lets Backspace through drops Ctrl+Backspace, which it sees as DEL, so the
// edit does not delete the word before the caret.
TEST(TEditTest, CtrlBackspaceAndCtrlEnterReachTheFilterAsDelAndLineFeed) {
    TEdit edit;
    std::string seen;
    edit.OnKeyPress = [&](char& key) {
        seen += key;
        if (key != '\b' && key != '\r' && (key < '0' || key > '9')) {
            key = 0;
        }
    };
    edit.show();
    QTest::keyClicks(&edit, "1234");
    QTest::keyClick(&edit, Qt::Key_Backspace, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), AnsiString("1234"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.Text(), AnsiString("123"));
    EXPECT_EQ(seen, std::string("1234\x7f\n\b"));
}

TEST(KeyCharTest, KeysBecomeTheCharactersWindowsDelivers) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        std::optional<char> expected;
    } cases[] = {
        {Qt::Key_Backspace, {}, QStringLiteral("\b"), '\b'},
        {Qt::Key_Return, {}, QStringLiteral("\r"), '\r'},
        {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), '\r'},
        {Qt::Key_Backspace, Qt::ShiftModifier, QStringLiteral("\b"), '\b'},
        {Qt::Key_Return, Qt::ShiftModifier, QStringLiteral("\r"), '\r'},
        // With Ctrl, Windows delivers DEL and line feed instead of Backspace and Enter.
        {Qt::Key_Backspace, Qt::ControlModifier, QString(), '\x7f'},
        {Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier, QString(), '\x7f'},
        {Qt::Key_Return, Qt::ControlModifier, QString(), '\n'},
        {Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, QString(), '\n'},
        {Qt::Key_5, {}, QStringLiteral("5"), '5'},
        {Qt::Key_Period, {}, QStringLiteral("."), '.'},
        {Qt::Key_V, Qt::ControlModifier, QString(), '\x16'},
        {Qt::Key_Left, {}, QString(), std::nullopt},
        {Qt::Key_Delete, {}, QString(), std::nullopt},
        {Qt::Key_Tab, {}, QStringLiteral("\t"), std::nullopt},
        {Qt::Key_3, {}, QString::fromUtf8("３"), '\x82'},
    };
    for (const Case& c : cases) {
        QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
        EXPECT_EQ(KeyCharOf(event), c.expected) << c.key;
    }
}

TEST(KeyCharTest, CommittedTextPassesTheFilterCharacterByCharacter) {
    const KeyPressHandler digitsOnly = [](char& key) {
        if (key < '0' || key > '9') {
            key = 0;
        }
    };
    EXPECT_EQ(FilterCommittedText(digitsOnly, QString::fromUtf8("1あ2")), QStringLiteral("12"));
    EXPECT_EQ(FilterCommittedText({}, QString::fromUtf8("あ")), QString::fromUtf8("あ"));
}

TEST(TPageControlTest, ChangingMayRefuseTheUsersMoveButNotTheCodes) {
    TPageControl pages;
    pages.resize(400, 300);
    pages.AddPage(QStringLiteral("one"), QStringLiteral("TabSheet1"));
    pages.AddPage(QStringLiteral("two"), QStringLiteral("TabSheet2"));
    bool allow = false;
    int asked = 0;
    pages.OnChanging = [&](bool& allowChange) {
        ++asked;
        allowChange = allow;
    };
    pages.show();
    QTabBar* bar = pages.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_EQ(asked, 1);
    allow = true;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    allow = false;
    pages.SetActivePageIndex(0);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_EQ(asked, 2);
}

TEST(TPageControlTest, OnlyKeysAndWheelTurnsThatMoveThePageAsk) {
    TPageControl pages;
    pages.resize(400, 300);
    pages.AddPage(QStringLiteral("one"), QStringLiteral("TabSheet1"));
    pages.AddPage(QStringLiteral("two"), QStringLiteral("TabSheet2"));
    int asked = 0;
    pages.OnChanging = [&](bool& allowChange) {
        ++asked;
        allowChange = false;
    };
    pages.show();
    QTabBar* bar = pages.tabBar();
    QTest::keyClick(bar, Qt::Key_A);
    QTest::keyClick(bar, Qt::Key_Left); // nothing before the first page
    EXPECT_EQ(asked, 0);
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    QWheelEvent up(bar->rect().center(), bar->mapToGlobal(bar->rect().center()), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &up); // towards the page before the first: nothing to ask
    EXPECT_EQ(asked, 1);
    QWheelEvent down(bar->rect().center(), bar->mapToGlobal(bar->rect().center()), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &down);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
}

TEST(TButtonTest, ClickRunsOnClickAndKeepsTheTag) {
    TButton button;
    button.Tag = 10;
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    button.Click();
    button.click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button.Tag, 10);
}

TEST(TLabelTest, CaptionLinesAndSize) {
    TLabel label;
    label.SetCaption(AnsiString("one\r\ntwo"));
    EXPECT_EQ(label.text(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(label.Caption(), AnsiString("one\r\ntwo"));
    EXPECT_EQ(label.height(), 2 * DrawTextLineStep(label.font()))
        << "lines on the em box, as the text drawing lays them out";
}

TEST(UiFontTest, AMissingJapaneseFamilyFallsBackToAnInstalledJapaneseFont) {
    const QFont font = UiFont(QString::fromUtf8("ＭＳ Ｐゴシック"), -12);
    EXPECT_EQ(font.pixelSize(), 12);
    const QString resolved = ResolveFontFamily(QString::fromUtf8("ＭＳ Ｐゴシック"));
    ASSERT_TRUE(QFontDatabase::hasFamily(resolved)) << resolved.toStdString();
    EXPECT_TRUE(QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Japanese))
        << resolved.toStdString();
    EXPECT_TRUE(font.families().contains(resolved));
}

TEST(UiFontTest, AMissingProportionalGothicTakesTheFamilyMadeToItsMetrics) {
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAPGothic"))) {
        GTEST_SKIP() << "IPAPGothic (fonts-ipafont-gothic) is not installed";
    }
    EXPECT_EQ(ResolveFontFamily(QString::fromUtf8("ＭＳ Ｐゴシック")),
              QStringLiteral("IPAPGothic"));
    EXPECT_EQ(ResolveFontFamily(QStringLiteral("MS PGothic")), QStringLiteral("IPAPGothic"));
}

} // namespace

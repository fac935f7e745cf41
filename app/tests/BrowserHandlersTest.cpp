#include "MainFormFixture.h"
#include "SteppingClock.h"

namespace {

class BrowserHandlersTest : public MainFormTest {
protected:
    void Complete(const char* url) {
        Form().BrowserNyusatsuInfoNavigateComplete2(Form().BrowserNyusatsuInfo, url);
    }
    static bool OwnEnabled(const QWidget* control) {
        return !control->testAttribute(Qt::WA_ForceDisabled);
    }

    SteppingClock clock;
    ClockScope clockScope{clock};
};

// An empty frame of a page that is no map finishes no lock: [計算実行] keeps its state.
TEST_F(BrowserHandlersTest, AnEmptyFrameWithoutALockLeavesTheCalculationButtonAlone) {
    Start();
    for (bool calcEnabled : {true, false}) {
        Form().EditX->SetText(calcEnabled ? "-10000" : "");
        Form().EditY->SetText("20000");
        ASSERT_EQ(OwnEnabled(Form().ButtonCalc), calcEnabled);
        const std::int64_t before = clock.Now();
        Complete("about:blank");
        EXPECT_GE(clock.Now() - before, 3000);
        EXPECT_EQ(OwnEnabled(Form().ButtonCalc), calcEnabled);
        EXPECT_TRUE(Form().ButtonGetCoord->isEnabled());
        Complete("http://nyusatsu.localhost:9/ppi/pub");
        EXPECT_FALSE(Form().ButtonGetCoord->isEnabled());
    }
    EXPECT_TRUE(messages.Calls().empty());
}

// The first completion of the map saves the button's state; later ones of its frames keep it.
TEST_F(BrowserHandlersTest, TheStateSavedAtTheLockIsTheOneBeforeTheMap) {
    Start();
    Form().EditX->SetText("-10000");
    Form().EditY->SetText("20000");
    Complete("http://gis.pref.example.jp/map");
    Complete("http://gis.pref.example.jp/map/frame");
    EXPECT_FALSE(OwnEnabled(Form().ButtonCalc));
    bool allow = true;
    Form().PageControlChanging(Form().PageControl, allow);
    EXPECT_FALSE(allow);
    Complete("about:blank");
    EXPECT_TRUE(OwnEnabled(Form().ButtonCalc));
    allow = true;
    Form().PageControlChanging(Form().PageControl, allow);
    EXPECT_TRUE(allow);
}

} // namespace

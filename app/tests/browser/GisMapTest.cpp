#include "WebFlowsFixture.h"

#include "SteppingClock.h"

#include "model/COutputDataManager.h"

namespace {

const Call kCoordinatesFailed{Sj("座標取得に失敗しました。\r\n"
                                 "再度「座標取得」ボタンをクリックしてください。"),
                              Sj("座標取得失敗"), 0x40030};

class GisMapTest : public WebFlowsTest {
protected:
    std::vector<QWidget*> LockedControls() {
        return {Form().ButtonPrev, Form().ButtonNext,   Form().ButtonAreaSave,
                Form().ButtonCalc, Form().ButtonClose1, Form().ButtonNyusatsuInfo,
                Form().PageControl};
    }
    // Shows the map page in the main browser and waits until the window is unlocked.
    void ShowFinishedMap(const QString& path) {
        const AnsiString map = Address(kGisHost, path);
        Form().BrowserNyusatsuInfo->Navigate(map);
        ASSERT_TRUE(WaitUntil([&] { return Completed(map) && Completed("about:blank"); }));
        ASSERT_TRUE(Form().ButtonGetCoord->isEnabled());
    }
    int PopupsOpened() {
        return EvaluateScript(*Form().BrowserNyusatsuInfo, QStringLiteral("Pos.opened")).toInt();
    }

    // The waits of the handlers run on it.
    SteppingClock clock;
    ClockScope clockScope{clock};
};

// The map comes as a pop-up of the bidding site, goes on to the main browser and locks the
// window until it has finished; [計算実行] then gets back the state it had, also when the map's
// frames from the map server report themselves on the way.
TEST_F(GisMapTest, AMapPopupLocksTheWindowUntilTheMapHasFinished) {
    for (bool calcEnabled : {true, false}) {
        SCOPED_TRACE(calcEnabled);
        completions.clear();
        StartOnBiddingSite();
        if (calcEnabled) {
            Form().EditX->SetText("-10000");
            Form().EditY->SetText("20000");
        }
        ASSERT_EQ(OwnEnabled(Form().ButtonCalc), calcEnabled);
        ClickLink(*Form().BrowserNyusatsuInfo, QStringLiteral("slowmap"));
        const AnsiString map = Address(kGisHost, QStringLiteral("/map/index.html?manual"));
        const AnsiString layer = Address(kGisHost, QStringLiteral("/map/layer.html"));
        ASSERT_TRUE(WaitUntil([&] { return Completed(map) && Completed(layer); }));
        EXPECT_EQ(Form().BrowserTemp->LocationURL(), map) << "the pop-up went there first";
        EXPECT_EQ(Form().BrowserNyusatsuInfo->LocationURL(), map) << "not the map's frame";
        for (QWidget* control : LockedControls()) {
            EXPECT_FALSE(OwnEnabled(control)) << control->objectName().toStdString();
        }
        EXPECT_FALSE(Form().ButtonGetCoord->isEnabled());
        EXPECT_FALSE(Form().PageControl->MayChange());

        const std::int64_t before = clock.Now();
        EvaluateScript(*Form().BrowserNyusatsuInfo, QStringLiteral("finishMap(); true"));
        ASSERT_TRUE(WaitUntil([&] { return Completed("about:blank"); }));
        EXPECT_GE(clock.Now() - before, 3000) << "the map has three seconds more";
        for (QWidget* control : LockedControls()) {
            if (control != Form().ButtonCalc) {
                EXPECT_TRUE(OwnEnabled(control)) << control->objectName().toStdString();
            }
        }
        EXPECT_EQ(OwnEnabled(Form().ButtonCalc), calcEnabled);
        EXPECT_TRUE(Form().ButtonGetCoord->isEnabled());
        EXPECT_TRUE(Form().PageControl->MayChange());
        EXPECT_TRUE(messages.Calls().empty());
    }
}

TEST_F(GisMapTest, CoordinatesAreTakenFromTheMapsPopup) {
    StartOnBiddingSite();
    Form().ButtonGetCoordClick(Form().ButtonGetCoord);
    EXPECT_EQ(messages.Calls(),
              (std::vector<Call>{{Sj("MieClickMapsのページが表示されている状態で\r\n"
                                     "「座標取得」ボタンを押してください。"),
                                  Sj("無効なページ"), 0x40030}}));
    messages.Clear();

    ShowFinishedMap(QStringLiteral("/map/index.html"));
    ASSERT_FALSE(Form().ButtonCalc->isEnabled());
    Click(Form().ButtonGetCoord);
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(PopupsOpened(), 1);
    EXPECT_EQ(Utf8(Form().EditX->Text()), "-10000.5");
    EXPECT_EQ(Utf8(Form().EditY->Text()), "20000.25");
    EXPECT_EQ(Form().OutputDataManager->GetSiteLatitude(), 34.730213);
    EXPECT_EQ(Form().OutputDataManager->GetSiteLongitude(), 136.508591);
    EXPECT_TRUE(Form().ButtonCalc->isEnabled());
}

TEST_F(GisMapTest, APopupWithoutItsLatitudeFailsAfterTenTries) {
    StartOnBiddingSite();
    Calculate();
    Form().PageControl->SetActivePageIndex(0);
    const double latitude = Form().OutputDataManager->GetSiteLatitude();
    ShowFinishedMap(QStringLiteral("/map/index.html?noequals"));
    Click(Form().ButtonGetCoord);
    EXPECT_EQ(messages.Calls(), std::vector<Call>{kCoordinatesFailed});
    EXPECT_EQ(PopupsOpened(), 10);
    EXPECT_EQ(Utf8(Form().EditX->Text()), kFixtureX);
    EXPECT_EQ(Utf8(Form().EditY->Text()), kFixtureY);
    EXPECT_EQ(Form().OutputDataManager->GetSiteLatitude(), latitude);
}

// A value beyond the range of a double is no coordinate: the pick-up fails as if it were not
// there, and nothing endless reaches the edits or the calculation data.
TEST_F(GisMapTest, AnEndlessValueIsNotFoundAndThePickUpFails) {
    StartOnBiddingSite();
    ShowFinishedMap(QStringLiteral("/map/index.html?endless"));
    Click(Form().ButtonGetCoord);
    EXPECT_EQ(messages.Calls(), std::vector<Call>{kCoordinatesFailed});
    EXPECT_EQ(PopupsOpened(), 10);
    EXPECT_EQ(Utf8(Form().EditX->Text()), "");
    EXPECT_EQ(Utf8(Form().EditY->Text()), "");
    EXPECT_FALSE(Form().ButtonCalc->isEnabled());
}

} // namespace

#pragma once

#include "MainFormFixture.h"
#include "ScriptedRoutePage.h"
#include "SteppingClock.h"

// A main window after a calculation on the fixture folder, whose route page is a scripted one
// and whose waits run on a stepping clock.
class RoutePageTest : public MainFormTest {
protected:
    void SetUp() override {
        Start();
        Calculate();
        ASSERT_TRUE(messages.Calls().empty());
        auto page = std::make_unique<ScriptedRoutePage>();
        route = page.get();
        Form().RoutePage = std::move(page);
    }

    // Makes the site's row the selected one, as a click on it does.
    void Select(const std::string& siteName) {
        const int row = RowOf(siteName);
        ASSERT_NE(row, 0) << siteName;
        Form().StringGrid->SetRow(row);
        ASSERT_EQ(Form().SelectedRow, row);
    }

    SteppingClock clock;
    ClockScope clockScope{clock};
    ScriptedRoutePage* route = nullptr;
};

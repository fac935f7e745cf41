#pragma once

#include "ProgramFolder.h"
#include "TMainForm.h"

#include "platform/testing/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Call = MessageBoxRecorder::Call;

// The work site of the fixture: the sites of data/program lie at known distances from it.
inline const char* const kFixtureX = "-10000";
inline const char* const kFixtureY = "20000";

// A started main window on a fixture program folder, shown offscreen; every message box is
// recorded.
class MainFormTest : public testing::Test {
protected:
    MainFormTest();
    ~MainFormTest() override;

    // Makes the program folder, the main window, and runs the start-up.
    void Start(const ProgramFolder::Options& options = {});
    // The same without the start-up, for tests that run it themselves.
    void Create(const ProgramFolder::Options& options = {});
    // Ends the window and starts a new one in the same folder.
    void Restart();

    TMainForm& Form() { return *form_; }
    ProgramFolder& Folder() { return *folder_; }

    // What the user does.
    static void Choose(TComboBox* box, int index);
    static void Type(QWidget* widget, const std::string& utf8);
    static void Click(TButton* button) { button->Click(); }
    // Types X and Y and presses [計算実行].
    void Calculate(const std::string& x = kFixtureX, const std::string& y = kFixtureY);
    // Makes a cell of the result grid current (as a click does) and types into it.
    void TypeIntoCell(int col, int row, const std::string& keys);
    void PressInGrid(int key);

    // The texts of one grid column, rows 1 to RowCount - 1, as UTF-8.
    std::vector<std::string> Column(int col);
    std::string Cell(int col, int row);
    // The grid row that shows the site, 0 when none.
    int RowOf(const std::string& siteName);
    std::string ErrorCaption() const;

    MessageBoxRecorder messages;

private:
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<TMainForm> form_;
};

std::string Utf8(const AnsiString& text);
AnsiString Sj(const std::string& utf8);

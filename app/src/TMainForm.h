#pragma once

#include "TMainFormControls.h"

#include "platform/AnsiString.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

class CAreaData;
class CSyubetsuRowSource;
class CHimokuRowSource;
class CSPHimokuRowSource;
class CSPSyubetsuRowSource;
class CSPGaraHasseiRowSource;
class CSPTsumikomiRowSource;
class COutputDataManager;
class CRankingList;
class CRankingData;
class LCoordinatesConvert;
class CCalcConditionData;
class TComboBox;
class TSelectForm;
class BrowserAccess;

// The main window: the condition page, the result grid and the route page, and the model
// objects behind them. Its handlers are grouped by concern in the MainForm*.cpp files:
// start-up (MainFormStartup), condition page (MainFormConditions), calculation run
// (MainFormCalc), result grid (MainFormResults), bidding service and GIS coordinates
// (MainFormBrowser), route distances (MainFormRoute), automatic top-N refinement
// (MainFormTopN), shared helpers (MainFormHelpers).
//
// Event handlers take the sending control as the class library's handlers do; the controls
// call them through the application's error display, so an error that escapes a handler is
// shown and the program goes on.
class TMainForm : public TMainFormControls {
public:
    explicit TMainForm(QWidget* owner = nullptr);
    ~TMainForm() override;

    // ---- Start-up and closing.
    // The start-up sequence; the creator runs it right after construction.
    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender);
    void ButtonClose1Click(QObject* Sender);
    void ButtonClose2Click(QObject* Sender);
    void ButtonClose3Click(QObject* Sender);
    // True when another running process of this program's user has the program's executable
    // name (the first entry of the working folder whose name contains `code`) and an id other
    // than `ownId`.
    bool IsAnotherInstanceRunning(const AnsiString& code, std::uint32_t ownId);
    void FillHimokuItems();
    void FillSyubetsuItems();
    void FillGaraHasseiItems();
    void FillTsumikomiItems();
    // The start-up asked the application to end (or the window was closed); the message loop
    // then ends at once.
    bool QuitRequested() const { return QuitRequested_; }
    // Runs when the window has been closed: the program's entry ends the message loop here, so
    // that closing the main window ends the program whatever other windows are open.
    std::function<void()> OnClosed;
    // The window has been closed. Every wait of the handlers (the ones that keep the window
    // handling its messages) then ends at once with EAbort, which unwinds the handlers that
    // wait, nested ones included, without a message: nothing more is fetched or shown.
    bool Closed() const { return Closed_; }
    // Raises EAbort when the window has been closed.
    void AbortIfClosed() const;
    // Handles the messages that have come, the user input that document accesses held back
    // while they waited included, then raises EAbort when the window has been closed. A message
    // box after document accesses comes after this: a close that came during the last access
    // would otherwise reach the window only in the box's own message loop, where a window under
    // a modal box takes no close, and the close would be lost.
    void AbortIfCloseRequested();

    // ---- Condition page.
    void ComboBoxHimokuChange(QObject* Sender);
    void ComboBoxSyubetsuChange(QObject* Sender);
    void ComboBoxGaraHasseiChange(QObject* Sender);
    void RadioButtonSPClick(QObject* Sender);
    void RadioButtonBugakariClick(QObject* Sender);
    void EditXChange(QObject* Sender);
    void EditYChange(QObject* Sender);
    void EditXKeyPress(QObject* Sender, char& Key);
    void EditYKeyPress(QObject* Sender, char& Key);
    void EditGetLowestKeyPress(QObject* Sender, char& Key);
    void ButtonAreaSaveClick(QObject* Sender);
    void UpdateCalcButton();

    // ---- Calculation run.
    void ButtonCalcClick(QObject* Sender);

    // ---- Result grid and orderings.
    void ShowRankingBySum();
    void ShowRankingByDistance();
    // Refills the grid in the order it shows now (SortKey).
    void ShowRankingInCurrentOrder();
    void ShowFilledRows(int rows, const AnsiString& previousName);
    int FindResultRow(const AnsiString& name);
    void StringGridDrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect,
                            QPainter& Canvas);
    void StringGridSelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
    void StringGridKeyPress(QObject* Sender, char& Key);
    void RadioGroupSortClick(QObject* Sender);
    void StringGridDblClick(QObject* Sender);
    void ButtonToMainClick(QObject* Sender);
    void FormResize(QObject* Sender);

    // ---- Bidding service and GIS coordinates.
    void ButtonNyusatsuInfoClick(QObject* Sender);
    void ButtonPrevClick(QObject* Sender);
    void ButtonNextClick(QObject* Sender);
    void BrowserNyusatsuInfoBeforeNavigate2(QObject* Sender, const AnsiString& URL, bool& Cancel);
    // Sets ppDisp to the browser that takes the pop-up, or leaves it null: the pop-up then opens
    // in a window of its own outside the program.
    void BrowserNyusatsuInfoNewWindow2(QObject* Sender, TWebBrowser*& ppDisp);
    void BrowserNyusatsuInfoNavigateComplete2(QObject* Sender, const AnsiString& URL);
    void BrowserTempNavigateComplete2(QObject* Sender, const AnsiString& URL);
    void PageControlChanging(QObject* Sender, bool& AllowChange);
    void ButtonGetCoordClick(QObject* Sender);

    // ---- Route distance.
    void ButtonSendLaLoClick(QObject* Sender);
    // Quiet (no failure message, no page change on failure) when Sender is a button whose Tag
    // is 10.
    void ButtonGetDistanceClick(QObject* Sender);
    // How long the send waits for the route page to finish loading before it gives up.
    static constexpr int kRoutePageTimeoutMs = 60000;

    // ---- Automatic top-N refinement.
    void BitBtnGetLowestClick(QObject* Sender);

    // ---- Helpers shared by the handlers.
    void ClearResultGrid();
    // The text as a number ("." decimal point, optional "-"); an empty text raises ERangeError,
    // any other text that is not a number EConvertError.
    double StrToDoubleDef(const AnsiString& text);
    // Waits the given time (through the Clock) while the window keeps handling its messages;
    // handles them at least once.
    void WaitSeconds(double seconds);
    // Handles the pending messages once; when none is pending and the Clock passes in real
    // time, sleeps until the next message comes or `milliseconds` have passed.
    static void HandleMessagesWithin(double milliseconds);

    // ---- Owned model objects, created in this order and deleted in the reverse one.
    std::unique_ptr<CAreaData> AreaData;
    std::unique_ptr<CSyubetsuRowSource> SyubetsuRowSource;
    std::unique_ptr<CHimokuRowSource> HimokuRowSource;
    std::unique_ptr<CSPHimokuRowSource> SPHimokuRowSource;
    std::unique_ptr<CSPSyubetsuRowSource> SPSyubetsuRowSource;
    std::unique_ptr<CSPGaraHasseiRowSource> SPGaraHasseiRowSource;
    std::unique_ptr<CSPTsumikomiRowSource> SPTsumikomiRowSource;
    std::unique_ptr<COutputDataManager> OutputDataManager;
    std::unique_ptr<CRankingList> RankingList;
    std::unique_ptr<LCoordinatesConvert> CoordinatesConvert;
    std::unique_ptr<CCalcConditionData> CalcConditionData;

    // ---- State shared by the handlers.
    // The selection pop-up of the bidding service, or none.
    QPointer<TSelectForm> PopupSelectForm;
    // Selected result-grid row, 0 = none.
    int SelectedRow = 0;
    // Result order: "sum" or "distance"; empty before the first fill.
    AnsiString SortKey;
    // Calculation mode: "sp" (construction package) or "bugakari" (labour rate).
    AnsiString CalcMode = "sp";
    // Mode of the last calculation run; single rows are repriced by it.
    AnsiString LastCalcMode;
    // Address of the main browser's last navigation.
    AnsiString LastNavigateText;
    // The browser of the route page (BrowserGoogleMaps) as the route handlers use it.
    std::unique_ptr<BrowserAccess> RoutePage;
    // Whether [計算実行] was enabled when a GIS map page locked the window.
    bool SavedButtonCalcEnabled = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ConnectEvents();
    void ConnectBrowserEvents();
    void LockForGisMap();
    void UnlockAfterGisMap();
    void DeletePopupSelectForm();
    // The result row of the grid row SelectedRow, or none.
    CRankingData* SelectedRankingRow();
    void RequestQuit();
    // The part of the start-up that touches the data files; false when it ended the program.
    bool LoadDataFiles();
    void SelectRememberedArea();
    void FilterCoordinateKey(const TEdit& edit, char& key);
    void ShowModePanelForHaulType(int haulType);
    void RebuildRankingList(double x, double y);
    void RefreshRankingList();
    bool RowsMatchSiteList();
    void PriceRow(CRankingData& row, const AnsiString& mode);
    void WriteCommonColumns(int gridRow, const CRankingData& row);
    bool NoResults() const;
    void AllowEditingInColumn(int col);

    bool QuitRequested_ = false;
    bool Closed_ = false;

    // The last indexes the condition page's change handlers worked for; a mode switch leaves
    // them as they are.
    int LastHimokuIndex = 0;
    int LastSyubetsuIndex = 0;
    int LastTsumikomiHimokuIndex = 0;
    int LastTsumikomiGaraHasseiIndex = 0;

    // The work-site point of the last rebuild of the result rows; the first run always
    // rebuilds.
    double LastCalcX = 0.0;
    double LastCalcY = 0.0;
    bool RebuildRanking = true;

    // A GIS map page holds the window locked (from its completion until an "about:blank" one).
    bool GisLocked = false;
};

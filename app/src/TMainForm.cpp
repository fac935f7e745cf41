#include "TMainForm.h"
#include "TSelectForm.h"
#include "WebBrowserAccess.h"

#include "model/CAreaData.h"
#include "model/CCalcConditionData.h"
#include "model/CHimokuRowSource.h"
#include "model/COutputDataManager.h"
#include "model/CRankingList.h"
#include "model/CSPGaraHasseiRowSource.h"
#include "model/CSPHimokuRowSource.h"
#include "model/CSPSyubetsuRowSource.h"
#include "model/CSPTsumikomiRowSource.h"
#include "model/CSyubetsuRowSource.h"
#include "model/LCoordinatesConvert.h"

#include "platform/Exceptions.h"
#include "platform/qt/ErrorDisplay.h"

#include <QCloseEvent>
#include <QResizeEvent>

TMainForm::TMainForm(QWidget* owner) : TMainFormControls(owner) {
    AreaData = std::make_unique<CAreaData>();
    SyubetsuRowSource = std::make_unique<CSyubetsuRowSource>();
    HimokuRowSource = std::make_unique<CHimokuRowSource>();
    SPHimokuRowSource = std::make_unique<CSPHimokuRowSource>();
    SPSyubetsuRowSource = std::make_unique<CSPSyubetsuRowSource>();
    SPGaraHasseiRowSource = std::make_unique<CSPGaraHasseiRowSource>();
    SPTsumikomiRowSource = std::make_unique<CSPTsumikomiRowSource>();
    OutputDataManager = std::make_unique<COutputDataManager>();
    RankingList = std::make_unique<CRankingList>();
    CoordinatesConvert = std::make_unique<LCoordinatesConvert>();
    CalcConditionData = std::make_unique<CCalcConditionData>();
    RoutePage = std::make_unique<WebBrowserAccess>(*BrowserGoogleMaps);
    ConnectEvents();
}

TMainForm::~TMainForm() {
    delete PopupSelectForm.data();
    RankingList->Clear();
    CalcConditionData.reset();
    CoordinatesConvert.reset();
    RankingList.reset();
    OutputDataManager.reset();
    SPTsumikomiRowSource.reset();
    SPGaraHasseiRowSource.reset();
    SPSyubetsuRowSource.reset();
    SPHimokuRowSource.reset();
    HimokuRowSource.reset();
    SyubetsuRowSource.reset();
    AreaData.reset();
}

// Every control event reaches its handler through the error display, as the class library's
// message loop delivers them.
void TMainForm::ConnectEvents() {
    auto click = [this](TButton* button, void (TMainForm::*handler)(QObject*)) {
        button->OnClick = [this, button, handler] {
            RunHandler([&] { (this->*handler)(button); });
        };
    };
    // The handlers that read or write a page's document: when an error leaves one, the close
    // that may have come during its document accesses is handled first (AbortIfCloseRequested),
    // and the handler then ends silently instead of in the error display, whose box would take
    // the close and drop it.
    auto reading = [this](TButton* button, void (TMainForm::*handler)(QObject*)) {
        button->OnClick = [this, button, handler] {
            RunHandler([&] {
                try {
                    (this->*handler)(button);
                } catch (const EAbort&) {
                    throw;
                } catch (const std::exception&) {
                    AbortIfCloseRequested();
                    throw;
                }
            });
        };
    };
    auto change = [this](TComboBox* combo, void (TMainForm::*handler)(QObject*)) {
        combo->OnChange = [this, combo, handler] { RunHandler([&] { (this->*handler)(combo); }); };
    };
    auto keys = [this](TEdit* edit, void (TMainForm::*handler)(QObject*, char&)) {
        edit->OnKeyPress = [this, edit, handler](char& key) {
            RunHandler([&] { (this->*handler)(edit, key); });
        };
    };
    auto edited = [this](TEdit* edit, void (TMainForm::*handler)(QObject*)) {
        edit->OnChange = [this, edit, handler] { RunHandler([&] { (this->*handler)(edit); }); };
    };

    RadioButtonSP->OnClick = [this] { RunHandler([&] { RadioButtonSPClick(RadioButtonSP); }); };
    RadioButtonBugakari->OnClick = [this] {
        RunHandler([&] { RadioButtonBugakariClick(RadioButtonBugakari); });
    };
    change(ComboBoxHimoku, &TMainForm::ComboBoxHimokuChange);
    change(ComboBoxSyubetsu, &TMainForm::ComboBoxSyubetsuChange);
    change(ComboBoxGaraHassei, &TMainForm::ComboBoxGaraHasseiChange);
    edited(EditX, &TMainForm::EditXChange);
    edited(EditY, &TMainForm::EditYChange);
    keys(EditX, &TMainForm::EditXKeyPress);
    keys(EditY, &TMainForm::EditYKeyPress);
    keys(EditGetLowest, &TMainForm::EditGetLowestKeyPress);
    click(ButtonAreaSave, &TMainForm::ButtonAreaSaveClick);
    click(ButtonCalc, &TMainForm::ButtonCalcClick);
    click(ButtonClose1, &TMainForm::ButtonClose1Click);
    click(ButtonClose2, &TMainForm::ButtonClose2Click);
    click(ButtonClose3, &TMainForm::ButtonClose3Click);
    click(ButtonToMain, &TMainForm::ButtonToMainClick);
    click(ButtonNyusatsuInfo, &TMainForm::ButtonNyusatsuInfoClick);
    click(ButtonPrev, &TMainForm::ButtonPrevClick);
    click(ButtonNext, &TMainForm::ButtonNextClick);
    reading(ButtonGetCoord, &TMainForm::ButtonGetCoordClick);
    reading(ButtonSendLaLo, &TMainForm::ButtonSendLaLoClick);
    reading(ButtonGetDistance, &TMainForm::ButtonGetDistanceClick);
    reading(BitBtnGetLowest, &TMainForm::BitBtnGetLowestClick);
    ConnectBrowserEvents();

    RadioGroupSort->OnClick = [this] { RunHandler([&] { RadioGroupSortClick(RadioGroupSort); }); };
    StringGrid->OnDrawCell = [this](int col, int row, const QRect& rect, QPainter& canvas,
                                    TStringGrid::DrawState) {
        RunHandler([&] { StringGridDrawCell(StringGrid, col, row, rect, canvas); });
    };
    StringGrid->OnSelectCell = [this](int col, int row, bool& canSelect) {
        RunHandler([&] { StringGridSelectCell(StringGrid, col, row, canSelect); });
    };
    StringGrid->OnKeyPress = [this](char& key) {
        RunHandler([&] { StringGridKeyPress(StringGrid, key); });
    };
    StringGrid->OnDblClick = [this] { RunHandler([&] { StringGridDblClick(StringGrid); }); };
}

void TMainForm::RequestQuit() {
    QuitRequested_ = true;
}

void TMainForm::FormClose(QObject*) {
    // The closed main window is destroyed by its creator, which ends the program.
    QuitRequested_ = true;
}

void TMainForm::ButtonClose1Click(QObject*) {
    close();
}

void TMainForm::ButtonClose2Click(QObject*) {
    close();
}

void TMainForm::ButtonClose3Click(QObject*) {
    close();
}

void TMainForm::AbortIfClosed() const {
    if (Closed_) {
        throw EAbort();
    }
}

// A close can come while a handler waits (the close box or the system menu stay usable while
// the window is disabled): the waits see Closed() and end, and the handlers unwind.
void TMainForm::closeEvent(QCloseEvent* event) {
    RunHandler([&] { FormClose(this); });
    event->accept();
    Closed_ = true;
    if (OnClosed) {
        OnClosed();
    }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    TMainFormControls::resizeEvent(event);
    PageControl->resize(event->size());
    RunHandler([&] { FormResize(this); });
}

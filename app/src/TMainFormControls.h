#pragma once

#include "FormFrame.h"

#include "platform/browser/TWebBrowser.h"
#include "platform/qt/TButton.h"
#include "platform/qt/TComboBox.h"
#include "platform/qt/TEdit.h"
#include "platform/qt/TLabel.h"
#include "platform/qt/TPageControl.h"
#include "platform/qt/TPanel.h"
#include "platform/qt/TRadioButton.h"
#include "platform/qt/TRadioGroup.h"
#include "platform/qt/TStringGrid.h"

#include <QGroupBox>
#include <QWidget>

#include <string>

// The main window's controls as its form description lays them out: names, classes, positions,
// sizes, captions, fonts and the initial states. Behaviour belongs to TMainForm.
class TMainFormControls : public QWidget {
public:
    // The layout was made for a window whose outer size is this much larger than its client
    // area (the Windows frame); the outer size below is kept whatever frame the desktop draws.
    static constexpr int kFrameWidth = FormFrame::kWidth;
    static constexpr int kFrameHeight = FormFrame::kHeight;
    static constexpr int kOuterWidth = 1145;
    static constexpr int kOuterHeight = 669;

    explicit TMainFormControls(QWidget* parent = nullptr);
    ~TMainFormControls() override;

    // Outer height of the window as the layout counts it.
    int OuterHeight() const { return height() + kFrameHeight; }

    TPageControl* PageControl;
    QWidget* TabSheet1;
    QWidget* TabSheet4;
    QWidget* TabSheet2;

    // Page 0 "メイン".
    QGroupBox* GroupBoxCalcState;
    TLabel* LabelCalcState;
    TRadioButton* RadioButtonSP;
    TRadioButton* RadioButtonBugakari;
    TLabel* LabelVerJa;
    TLabel* LabelVerEn;
    TLabel* LabelArea;
    TComboBox* ComboBoxArea;
    TButton* ButtonAreaSave;
    TLabel* LabelX;
    TEdit* EditX;
    TLabel* LabelY;
    TEdit* EditY;
    TButton* ButtonGetCoord;
    TLabel* LabelHimoku;
    TComboBox* ComboBoxHimoku;
    TLabel* LabelSyubetsu;
    TComboBox* ComboBoxSyubetsu;
    TPanel* PanelGaraUnpan;
    TLabel* LabelGaraHassei;
    TComboBox* ComboBoxGaraHassei;
    TLabel* LabelTsumikomi;
    TComboBox* ComboBoxTsumikomi;
    TPanel* PanelDensen;
    TLabel* LabelSekisaiKubun;
    TComboBox* ComboBoxSekisai;
    TPanel* PanelJinkai;
    TLabel* LabelJinkai;
    TComboBox* ComboBoxJinkai;
    TRadioButton* RadioButtonDTCarry;
    TRadioButton* RadioButtonDTLend;
    TPanel* PanelCommon;
    TRadioButton* RadioButtonDIDTrue;
    TRadioButton* RadioButtonDIDFalse;
    TButton* ButtonCalc;
    TButton* ButtonClose1;
    TButton* ButtonNyusatsuInfo;
    TLabel* LabelExplain;
    TButton* ButtonPrev;
    TButton* ButtonNext;
    TLabel* LabelAttention;
    TWebBrowser* BrowserNyusatsuInfo;
    TWebBrowser* BrowserTemp;

    // Page 1 "計算結果".
    TButton* ButtonClose2;
    TButton* ButtonToMain;
    TButton* ButtonSendLaLo;
    TLabel* Label3;
    TLabel* LabelGetLowest;
    TEdit* EditGetLowest;
    TLabel* Label1;
    TButton* BitBtnGetLowest;
    TRadioGroup* RadioGroupSort;
    TStringGrid* StringGrid;

    // Page 2 "GoogleMap".
    TButton* ButtonClose3;
    TButton* ButtonGetDistance;
    TLabel* Label4;
    TWebBrowser* BrowserGoogleMaps;
};

// A caption of the class library ("\r\n" starts a line) as a Qt text.
QString CaptionText(const AnsiString& caption);
// A wide text of the browser boundary (addresses) as code-page-932 text.
AnsiString FromWide(const std::wstring& text);

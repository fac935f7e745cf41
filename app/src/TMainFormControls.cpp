#include "TMainFormControls.h"

#include "platform/qt/QtText.h"
#include "platform/qt/UiFont.h"

namespace {

const QString kFormFont = QString::fromUtf8("ＭＳ Ｐゴシック");
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <typename Control> Control* Make(QWidget* parent, const char* name) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

template <typename Control>
Control* Place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    Control* control = Make<Control>(parent, name);
    control->setGeometry(left, top, width, height);
    return control;
}

TLabel* Label(QWidget* parent, const char* name, int left, int top, const char* caption,
              int fontHeight = 0) {
    auto* label = Make<TLabel>(parent, name);
    if (fontHeight != 0) {
        label->setFont(UiFont(kFormFont, fontHeight));
    }
    label->move(left, top);
    label->SetCaption(U(caption));
    return label;
}

template <typename Control>
Control* Captioned(QWidget* parent, const char* name, int left, int top, int width, int height,
                   const char* caption) {
    Control* control = Place<Control>(parent, name, left, top, width, height);
    control->setText(U(caption));
    return control;
}

TPanel* Panel(QWidget* parent, const char* name, int left, int top, int width, int height,
              TPanel::Bevel bevel) {
    TPanel* panel = Place<TPanel>(parent, name, left, top, width, height);
    panel->SetBevelOuter(bevel);
    return panel;
}

TComboBox* DropDownList(QWidget* parent, const char* name, int left, int top, int width,
                        int height) {
    return Place<TComboBox>(parent, name, left, top, width, height);
}

} // namespace

QString CaptionText(const AnsiString& caption) {
    QString text = ToQString(caption);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

AnsiString FromWide(const std::wstring& text) {
    return FromQString(QString::fromStdWString(text));
}

TMainFormControls::TMainFormControls(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Sorvane"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setFont(UiFont(kFormFont, -12));
    const QSize client = FormFrame::ClientSize(kOuterWidth, kOuterHeight);
    const int clientWidth = client.width();
    const int clientHeight = client.height();
    // The width is fixed, the height free.
    setFixedWidth(clientWidth);
    setMinimumHeight(150);
    setMaximumHeight(QWIDGETSIZE_MAX);
    resize(clientWidth, clientHeight);
    FormFrame::CentreOnScreen(*this, kOuterWidth, kOuterHeight);

    PageControl = Place<TPageControl>(this, "PageControl", 0, 0, clientWidth, clientHeight);
    TabSheet1 = PageControl->AddPage(U("メイン"), QStringLiteral("TabSheet1"));
    TabSheet4 = PageControl->AddPage(U("計算結果"), QStringLiteral("TabSheet4"));
    TabSheet2 = PageControl->AddPage(U("GoogleMap"), QStringLiteral("TabSheet2"));

    // Page 0: conditions, coordinates and the bidding service.
    QWidget* page = TabSheet1;
    GroupBoxCalcState = Place<QGroupBox>(page, "GroupBoxCalcState", 16, 8, 257, 41);
    LabelCalcState = Label(GroupBoxCalcState, "LabelCalcState", 8, 0, "計算方式の変更");
    LabelCalcState->setAutoFillBackground(true);
    RadioButtonSP = Captioned<TRadioButton>(GroupBoxCalcState, "RadioButtonSP", 8, 16, 129, 17,
                                            "施工パッケージ方式");
    RadioButtonBugakari = Captioned<TRadioButton>(GroupBoxCalcState, "RadioButtonBugakari", 168, 16,
                                                  73, 17, "歩掛方式");
    LabelVerJa = Label(page, "LabelVerJa", 13, 64, "未設定");
    LabelVerEn = Label(page, "LabelVerEn", 184, 64, "未設定");
    LabelArea = Label(page, "LabelArea", 13, 92, "地区", -13);
    ComboBoxArea = DropDownList(page, "ComboBoxArea", 48, 88, 225, 20);
    ButtonAreaSave = Captioned<TButton>(page, "ButtonAreaSave", 92, 116, 129, 25, "初期地区保存");
    LabelX = Label(page, "LabelX", 13, 156, "X座標", -13);
    EditX = Place<TEdit>(page, "EditX", 72, 152, 121, 20);
    LabelY = Label(page, "LabelY", 13, 188, "Y座標", -13);
    EditY = Place<TEdit>(page, "EditY", 72, 184, 121, 20);
    ButtonGetCoord = Captioned<TButton>(page, "ButtonGetCoord", 200, 152, 73, 49, "座標取得");
    LabelHimoku = Label(page, "LabelHimoku", 13, 219, "処分費目", -13);
    ComboBoxHimoku = DropDownList(page, "ComboBoxHimoku", 72, 216, 201, 20);
    LabelSyubetsu = Label(page, "LabelSyubetsu", 13, 252, "運搬種別", -13);
    ComboBoxSyubetsu = DropDownList(page, "ComboBoxSyubetsu", 72, 248, 201, 20);

    PanelGaraUnpan = Panel(page, "PanelGaraUnpan", 0, 272, 289, 81, TPanel::Bevel::None);
    LabelGaraHassei = Label(PanelGaraUnpan, "LabelGaraHassei", 13, 12, "殻発生作業", -13);
    ComboBoxGaraHassei = DropDownList(PanelGaraUnpan, "ComboBoxGaraHassei", 80, 8, 193, 20);
    LabelTsumikomi = Label(PanelGaraUnpan, "LabelTsumikomi", 13, 36, "積込工法区分", -13);
    ComboBoxTsumikomi = DropDownList(PanelGaraUnpan, "ComboBoxTsumikomi", 13, 56, 260, 20);

    PanelDensen = Panel(page, "PanelDensen", 0, 480, 289, 33, TPanel::Bevel::Raised);
    LabelSekisaiKubun = Label(PanelDensen, "LabelSekisaiKubun", 13, 12, "積載区分", -13);
    ComboBoxSekisai = DropDownList(PanelDensen, "ComboBoxSekisai", 80, 8, 193, 20);
    PanelDensen->hide();

    PanelJinkai = Panel(page, "PanelJinkai", 0, 520, 289, 65, TPanel::Bevel::Raised);
    LabelJinkai = Label(PanelJinkai, "LabelJinkai", 13, 12, "塵芥の種類", -13);
    ComboBoxJinkai = DropDownList(PanelJinkai, "ComboBoxJinkai", 88, 8, 185, 20);
    RadioButtonDTCarry = Captioned<TRadioButton>(PanelJinkai, "RadioButtonDTCarry", 16, 40, 121, 17,
                                                 "ﾀﾞﾝﾌﾟﾄﾗｯｸ持込");
    RadioButtonDTLend = Captioned<TRadioButton>(PanelJinkai, "RadioButtonDTLend", 152, 40, 121, 17,
                                                "ﾀﾞﾝﾌﾟﾄﾗｯｸ貸与");
    PanelJinkai->hide();

    PanelCommon = Panel(page, "PanelCommon", 0, 360, 289, 137, TPanel::Bevel::None);
    RadioButtonDIDTrue =
        Captioned<TRadioButton>(PanelCommon, "RadioButtonDIDTrue", 16, 4, 121, 17, "DID区間有");
    RadioButtonDIDFalse =
        Captioned<TRadioButton>(PanelCommon, "RadioButtonDIDFalse", 152, 4, 121, 17, "DID区間無");
    ButtonCalc = Captioned<TButton>(PanelCommon, "ButtonCalc", 8, 24, 126, 33, "計算実行");
    ButtonClose1 =
        Captioned<TButton>(PanelCommon, "ButtonClose1", 147, 24, 126, 33, "プログラムの終了");
    ButtonNyusatsuInfo = Captioned<TButton>(PanelCommon, "ButtonNyusatsuInfo", 8, 64, 265, 33,
                                            "vor 入札情報サービス(工事)");
    LabelExplain = Label(PanelCommon, "LabelExplain", 56, 112, "未設定");
    LabelExplain->SetFontColor(kRed);

    ButtonPrev = Captioned<TButton>(page, "ButtonPrev", 296, 8, 97, 33, "戻る");
    ButtonNext = Captioned<TButton>(page, "ButtonNext", 424, 8, 97, 33, "進む");
    LabelAttention = Label(page, "LabelAttention", 556, 8, "", -15);
    LabelAttention->SetFontColor(kRed);
    BrowserNyusatsuInfo = Place<TWebBrowser>(page, "BrowserNyusatsuInfo", 296, 48, 825, 553);
    BrowserTemp = Place<TWebBrowser>(page, "BrowserTemp", 680, 0, 0, 0);

    // Page 1: results.
    page = TabSheet4;
    ButtonClose2 = Captioned<TButton>(page, "ButtonClose2", 8, 8, 129, 33, "プログラムの終了");
    ButtonToMain = Captioned<TButton>(page, "ButtonToMain", 168, 8, 129, 33, "計算条件再選択");
    ButtonSendLaLo = Captioned<TButton>(page, "ButtonSendLaLo", 408, 8, 265, 41,
                                        "GoogleMapsサイトを開き、座標情報を送る");
    Label3 = Label(page, "Label3", 336, 56,
                   "※距離を調べたい処分場にカーソルをあわせてから上のボタンを押してください。");
    Label3->SetFontColor(kBlue);
    LabelGetLowest = Label(page, "LabelGetLowest", 804, 12, "上位");
    EditGetLowest = Place<TEdit>(page, "EditGetLowest", 840, 8, 49, 20);
    Label1 = Label(page, "Label1", 904, 12, "件");
    BitBtnGetLowest = Place<TButton>(page, "BitBtnGetLowest", 784, 32, 153, 41);
    BitBtnGetLowest->Tag = 10;
    RadioGroupSort = Place<TRadioGroup>(page, "RadioGroupSort", 984, 8, 121, 57);
    RadioGroupSort->setTitle(U("並び替え方法の変更"));
    RadioGroupSort->SetItems({U("金額で並び替え"), U("距離で並び替え")});
    RadioGroupSort->SetItemIndex(0);
    StringGrid = Place<TStringGrid>(page, "StringGrid", 0, 80, 1121, 529);
    StringGrid->SetColCount(15);
    StringGrid->SetRowCount(2);
    StringGrid->SetFixedRows(1);
    StringGrid->SetDefaultRowHeight(16);
    StringGrid->SetOption(TStringGrid::goColSizing, true);
    StringGrid->SetOption(TStringGrid::goEditing, true);
    StringGrid->SetOption(TStringGrid::goAlwaysShowEditor, true);

    // Page 2: the route-distance page.
    page = TabSheet2;
    ButtonClose3 = Captioned<TButton>(page, "ButtonClose3", 8, 8, 126, 33, "プログラムの終了");
    ButtonGetDistance = Captioned<TButton>(page, "ButtonGetDistance", 408, 8, 265, 41,
                                           "GoogleMapsサイトから距離を取得する");
    Label4 = Label(page, "Label4", 352, 56,
                   "※GoogleMapsサイトにてルート調整をしてから上のボタンを押してください。");
    Label4->SetFontColor(kBlue);
    BrowserGoogleMaps = Place<TWebBrowser>(page, "BrowserGoogleMaps", -8, 88, 1121, 529);
}

// Web views go before the application object and the browser profile, with the window.
TMainFormControls::~TMainFormControls() = default;

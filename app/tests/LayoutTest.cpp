#include "MainFormFixture.h"
#include "TStartForm.h"

#include "platform/qt/UiFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTabBar>

namespace {

struct Placement {
    QWidget* widget;
    int left, top, width, height;
    const char* caption; // nullptr: not checked
};

QString CaptionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    return {};
}

TEST_F(MainFormTest, ControlsSitWhereTheFormDescriptionPutsThem) {
    Start();
    TMainForm& f = Form();
    const Placement placements[] = {
        {f.GroupBoxCalcState, 16, 8, 257, 41, nullptr},
        {f.RadioButtonSP, 8, 16, 129, 17, "施工パッケージ方式"},
        {f.RadioButtonBugakari, 168, 16, 73, 17, "歩掛方式"},
        {f.ComboBoxArea, 48, 88, 225, 20, nullptr},
        {f.ButtonAreaSave, 92, 116, 129, 25, "初期地区保存"},
        {f.EditX, 72, 152, 121, 20, nullptr},
        {f.EditY, 72, 184, 121, 20, nullptr},
        {f.ButtonGetCoord, 200, 152, 73, 49, "座標取得"},
        {f.ComboBoxHimoku, 72, 216, 201, 20, nullptr},
        {f.ComboBoxSyubetsu, 72, 248, 201, 20, nullptr},
        {f.PanelGaraUnpan, 0, 272, 289, 81, nullptr},
        {f.ComboBoxGaraHassei, 80, 8, 193, 20, nullptr},
        {f.ComboBoxTsumikomi, 13, 56, 260, 20, nullptr},
        {f.PanelDensen, 0, 272, 289, 33, nullptr},
        {f.ComboBoxSekisai, 80, 8, 193, 20, nullptr},
        {f.PanelJinkai, 0, 272, 289, 65, nullptr},
        {f.ComboBoxJinkai, 88, 8, 185, 20, nullptr},
        {f.PanelCommon, 0, 360, 289, 137, nullptr},
        {f.ButtonCalc, 8, 24, 126, 33, "計算実行"},
        {f.ButtonClose1, 147, 24, 126, 33, "プログラムの終了"},
        {f.ButtonNyusatsuInfo, 8, 64, 265, 33, "vor 入札情報サービス(工事)"},
        {f.ButtonPrev, 296, 8, 97, 33, "戻る"},
        {f.ButtonNext, 424, 8, 97, 33, "進む"},
        {f.BrowserNyusatsuInfo, 296, 48, 825, f.OuterHeight() - 120, nullptr},
        {f.BrowserTemp, 680, 0, 0, 0, nullptr},
        {f.ButtonClose2, 8, 8, 129, 33, "プログラムの終了"},
        {f.ButtonToMain, 168, 8, 129, 33, "計算条件再選択"},
        {f.ButtonSendLaLo, 408, 8, 265, 41, "GoogleMapsサイトを開き、座標情報を送る"},
        {f.EditGetLowest, 840, 8, 49, 20, nullptr},
        {f.BitBtnGetLowest, 784, 32, 153, 41, nullptr},
        {f.RadioGroupSort, 984, 8, 121, 57, nullptr},
        {f.StringGrid, 0, 80, 1121, f.OuterHeight() - 144, nullptr},
        {f.ButtonClose3, 8, 8, 126, 33, "プログラムの終了"},
        {f.ButtonGetDistance, 408, 8, 265, 41, "GoogleMapsサイトから距離を取得する"},
        {f.BrowserGoogleMaps, -8, 88, 1121, f.OuterHeight() - 144, nullptr},
    };
    for (const Placement& p : placements) {
        const std::string name = p.widget->objectName().toStdString();
        EXPECT_EQ(p.widget->geometry(), QRect(p.left, p.top, p.width, p.height)) << name;
        if (p.caption) {
            EXPECT_EQ(CaptionOf(p.widget), QString::fromUtf8(p.caption)) << name;
        }
    }
    const std::pair<TLabel*, QPoint> labels[] = {
        {f.LabelVerJa, {13, 64}},     {f.LabelVerEn, {184, 64}},     {f.LabelArea, {13, 92}},
        {f.LabelX, {13, 156}},        {f.LabelY, {13, 188}},         {f.LabelHimoku, {13, 219}},
        {f.LabelSyubetsu, {13, 252}}, {f.LabelExplain, {56, 112}},   {f.LabelAttention, {556, 8}},
        {f.Label3, {336, 56}},        {f.LabelGetLowest, {804, 12}}, {f.Label1, {904, 12}},
        {f.Label4, {352, 56}},
    };
    for (const auto& [label, position] : labels) {
        EXPECT_EQ(label->pos(), position) << label->objectName().toStdString();
    }
    EXPECT_EQ(f.BitBtnGetLowest->Tag, 10);
    EXPECT_EQ(f.ButtonGetDistance->Tag, 0);
    EXPECT_EQ(f.RadioGroupSort->title(), QString::fromUtf8("並び替え方法の変更"));
    EXPECT_EQ(f.RadioGroupSort->Button(0)->text(), QString::fromUtf8("金額で並び替え"));
    EXPECT_EQ(f.RadioGroupSort->Button(1)->text(), QString::fromUtf8("距離で並び替え"));
    EXPECT_EQ(f.RadioGroupSort->ItemIndex(), 0);
    EXPECT_EQ(f.LabelExplain->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(f.LabelAttention->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(f.Label3->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    EXPECT_EQ(f.windowTitle(), QStringLiteral("Sorvane"));
    EXPECT_EQ(f.width() + TMainForm::kFrameWidth, 1145);
    EXPECT_EQ(f.minimumWidth(), f.maximumWidth()) << "the width is fixed";
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    ASSERT_EQ(f.PageControl->count(), 3);
    EXPECT_EQ(f.PageControl->tabText(0), QString::fromUtf8("メイン"));
    EXPECT_EQ(f.PageControl->tabText(1), QString::fromUtf8("計算結果"));
    EXPECT_EQ(f.PageControl->tabText(2), QString::fromUtf8("GoogleMap"));
}

TEST_F(MainFormTest, FontsAreTheNamedJapaneseFontOrAnInstalledStandIn) {
    Create();
    const QString family = ResolveFontFamily(QString::fromUtf8("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese));
    const QFontInfo form(Form().font());
    EXPECT_EQ(form.family(), family);
    EXPECT_EQ(form.pixelSize(), 12);
    EXPECT_EQ(QFontInfo(Form().ButtonCalc->font()).pixelSize(), 12);
    for (QWidget* label : std::initializer_list<QWidget*>{
             Form().LabelArea, Form().LabelX, Form().LabelY, Form().LabelHimoku,
             Form().LabelSyubetsu, Form().LabelGaraHassei, Form().LabelTsumikomi,
             Form().LabelSekisaiKubun, Form().LabelJinkai}) {
        EXPECT_EQ(QFontInfo(label->font()).pixelSize(), 13) << label->objectName().toStdString();
    }
    EXPECT_EQ(QFontInfo(Form().LabelAttention->font()).pixelSize(), 15);
    EXPECT_EQ(QFontInfo(Form().LabelVerJa->font()).pixelSize(), 12);

    const TStartForm splash;
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("SorvanePro"));
    EXPECT_EQ(splash.minimumSize(), QSize(247, 88));
    EXPECT_EQ(splash.maximumSize(), QSize(247, 88));
    EXPECT_EQ(splash.Label1->pos(), QPoint(24, 24));
    EXPECT_EQ(splash.Label2->pos(), QPoint(40, 48));
    EXPECT_EQ(splash.Label1->text(), QString::fromUtf8("SorvanePro起動中"));
    EXPECT_EQ(splash.Label2->text(), QString::fromUtf8("しばらくお待ちください．．．"));
    EXPECT_EQ(QFontInfo(splash.Label2->font()).pixelSize(), 16);
    EXPECT_FALSE(splash.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

// Both windows' sizes are outer sizes, frame included: each takes the client area that the same
// Windows frame leaves, and centres that frame on the screen.
TEST_F(MainFormTest, WindowsTakeTheClientAreaOfTheirOuterSizeAndCentreTheFrame) {
    Create();
    const TStartForm splash;
    struct WindowCase {
        const QWidget* window;
        QSize outer;
        QSize client;
    };
    const WindowCase windows[] = {
        {&Form(), {1145, 669}, {1129, 631}},
        {&splash, {263, 126}, {247, 88}},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const WindowCase& w : windows) {
        const std::string name = w.window->objectName().toStdString();
        EXPECT_EQ(w.window->size(), w.client) << name;
        EXPECT_EQ(w.window->size() + QSize(TMainForm::kFrameWidth, TMainForm::kFrameHeight),
                  w.outer)
            << name;
        EXPECT_EQ(w.window->pos(),
                  screen.topLeft() + QPoint((screen.width() - w.outer.width()) / 2,
                                            (screen.height() - w.outer.height()) / 2))
            << name;
    }
    EXPECT_EQ(splash.minimumSize(), splash.maximumSize()) << "the splash's size is fixed";
    // The texts stay inside the client area (the proportional stand-in keeps them as narrow as
    // the named font does).
    for (const TLabel* label : {splash.Label1, splash.Label2}) {
        EXPECT_LE(label->geometry().bottom(), 88) << label->objectName().toStdString();
        EXPECT_LE(label->geometry().right(), 247) << label->objectName().toStdString();
    }
}

// The panels of the load classes and of the refuse have the class library's default raised
// bevel; the rubble-work panel and the common panel have none. Each mode panel is checked where
// the haul type that shows it puts it.
TEST_F(MainFormTest, ThePanelsWithoutBevelAreFlatTheOthersRaised) {
    Start();
    TMainForm& f = Form();
    struct PanelCase {
        TPanel* panel;
        int haulType; // the haul type of the package mode that shows the panel
        TPanel::Bevel bevel;
    };
    const PanelCase panels[] = {
        {f.PanelGaraUnpan, 0, TPanel::Bevel::None},
        {f.PanelCommon, 0, TPanel::Bevel::None},
        {f.PanelDensen, 2, TPanel::Bevel::Raised},
        {f.PanelJinkai, 3, TPanel::Bevel::Raised},
    };
    for (const PanelCase& p : panels) {
        const std::string name = p.panel->objectName().toStdString();
        EXPECT_EQ(p.panel->BevelOuter(), p.bevel) << name;
        Choose(f.ComboBoxSyubetsu, p.haulType);
        ASSERT_TRUE(p.panel->isVisible()) << name;
        const QImage page = f.TabSheet1->grab().toImage();
        const QRect r = p.panel->geometry();
        const QRgb face = page.pixel(r.left() + 1, r.top() + 1);
        const QRgb topLeft = page.pixel(r.topLeft());
        const QRgb bottomRight = page.pixel(r.bottomRight());
        if (p.bevel == TPanel::Bevel::Raised) {
            EXPECT_EQ(topLeft, p.panel->palette().color(QPalette::Light).rgb()) << name;
            EXPECT_EQ(bottomRight, p.panel->palette().color(QPalette::Dark).rgb()) << name;
            EXPECT_NE(topLeft, face) << name;
            EXPECT_NE(bottomRight, face) << name;
        } else {
            EXPECT_EQ(topLeft, face) << name;
            EXPECT_EQ(bottomRight, face) << name;
        }
    }
}

} // namespace

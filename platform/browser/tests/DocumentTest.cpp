#include "BrowserFixture.h"

#include "platform/Cp932.h"
#include "platform/browser/EWebBrowserError.h"
#include "platform/browser/testing/HeldPage.h"

#include <QTimer>

#include <functional>
#include <string>

namespace {

using DocumentTest = BrowserTest;

// The Japanese fixture page in code page 932, with or without the encoding stated.
HttpResponse JapanesePage(const LocalHttpServer& server, bool stated) {
    HttpResponse response = server.FileResponse("/japanese.html");
    std::string text = response.body;
    const std::string meta = "<meta charset=\"utf-8\">";
    text.erase(text.find(meta), meta.size());
    response.body = cp932::FromUtf8(text);
    response.contentType = stated ? "text/html; charset=Shift_JIS" : "text/html";
    return response;
}

TEST_F(DocumentTest, BodyTextComesBackInCodePage932WhateverThePageEncoding) {
    server.Handle("/japanese-sjis.html",
                  [this](const HttpRequest&) { return JapanesePage(server, true); });
    server.Handle("/japanese-undeclared.html",
                  [this](const HttpRequest&) { return JapanesePage(server, false); });
    auto browser = MakeBrowser();
    for (const char* path :
         {"/japanese.html", "/japanese-sjis.html", "/japanese-undeclared.html"}) {
        Load(*browser, QString::fromUtf8(path));
        const AnsiString body = browser->BodyInnerHTML();
        // A character that code page 932 lacks becomes "?"; the line breaks after the body's
        // end belong to the body.
        EXPECT_EQ(body, u8"<p>緯度(度)=34.7303</p><p>ｱｽｺﾝ塊 表示 ?</p>\n\n"_sj) << path;
        EXPECT_TRUE(body.Contains("\x88\xDC\x93\x78(\x93\x78)=34.7303")) << path;
        EXPECT_TRUE(body.Contains("\xB1\xBD\xBA\xDD\x89\xF2 \x95\x5C\x8E\xA6")) << path;
    }
}

TEST_F(DocumentTest, NumbersAreWrittenAsThePageSpellsThem) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {34.123456789, "34.123456789"},
        {136.5, "136.5"},
        {60, "60"},
        {-0.5, "-0.5"},
        {1e-7, "1e-7"},
        {1e21, "1e+21"},
        {0.1 + 0.2, "0.30000000000000004"},
        {123456789012345680.0, "123456789012345680"},
    };
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/form.html"));
    for (const Case& c : cases) {
        browser->SetFormFieldValue("query", "start", c.value);
        EXPECT_EQ(browser->FormFieldValue("query", "start"), c.text) << c.text;
    }
}

TEST_F(DocumentTest, FieldsAreFoundByNameOrIdAndReadAndWritten) {
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/form.html"));
    EXPECT_EQ(browser->FormFieldValue("query", "length"), "12.5km");
    EXPECT_EQ(browser->FormFieldValue("query", "memo"), u8"メモ"_sj);
    EXPECT_EQ(browser->FormFieldValue("other", "only"), "other form");

    browser->SetFormFieldValue("query", "byId", 34.5);
    browser->SetFormFieldValue("query", "memo", u8"道のり 'と' \"引用\""_sj);
    EXPECT_EQ(EvaluateScript(*browser, QStringLiteral("document.getElementById('byId').value")),
              QVariant(QStringLiteral("34.5")));
    EXPECT_EQ(browser->FormFieldValue("query", "memo"), u8"道のり 'と' \"引用\""_sj);

    const QString checked = QStringLiteral("document.forms.query.tick.checked");
    browser->SetFormFieldChecked("query", "tick", false);
    EXPECT_EQ(EvaluateScript(*browser, checked), QVariant(false));
    browser->SetFormFieldChecked("query", "tick", true);
    EXPECT_EQ(EvaluateScript(*browser, checked), QVariant(true));
}

struct FailureCase {
    const char* name;
    // Page loaded first; none for a browser that never navigated.
    const char* path;
    std::function<void(TWebBrowser&)> access;
    const char8_t* message;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class DocumentFailureTest : public BrowserTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(DocumentFailureTest, RaisesWithAClearMessage) {
    const FailureCase& c = GetParam();
    auto browser = MakeBrowser();
    if (c.path != nullptr) {
        Load(*browser, QString::fromUtf8(c.path));
    }
    try {
        c.access(*browser);
        FAIL() << "no error raised";
    } catch (const EWebBrowserError& error) {
        EXPECT_EQ(error.Message(), AnsiString::FromUtf8(reinterpret_cast<const char*>(c.message)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Accesses, DocumentFailureTest,
    testing::Values(
        FailureCase{"NoDocumentBody", nullptr, [](TWebBrowser& b) { b.BodyInnerHTML(); },
                    u8"Web ブラウザにドキュメントが読み込まれていません。"},
        FailureCase{"NoDocumentField", nullptr,
                    [](TWebBrowser& b) { b.SetFormFieldValue("query", "start", 1.0); },
                    u8"Web ブラウザにドキュメントが読み込まれていません。"},
        FailureCase{"NoForm", "/form.html", [](TWebBrowser& b) { b.FormFieldValue("fx", "start"); },
                    u8"ドキュメントにフォーム 'fx' がありません。"},
        FailureCase{"NoFormToWrite", "/index.html",
                    [](TWebBrowser& b) { b.SetFormFieldChecked("query", "tick", false); },
                    u8"ドキュメントにフォーム 'query' がありません。"},
        FailureCase{"NoField", "/form.html",
                    [](TWebBrowser& b) { b.FormFieldValue("query", "absent"); },
                    u8"フォーム 'query' にフィールド 'absent' がありません。"},
        FailureCase{"NoFieldToWrite", "/form.html",
                    [](TWebBrowser& b) { b.SetFormFieldValue("query", "only", "x"); },
                    u8"フォーム 'query' にフィールド 'only' がありません。"},
        FailureCase{"NoValue", "/form.html",
                    [](TWebBrowser& b) { b.FormFieldValue("query", "note"); },
                    u8"フィールド 'note' は値を持ちません。"},
        FailureCase{"NotCheckable", "/form.html",
                    [](TWebBrowser& b) { b.SetFormFieldChecked("query", "memo", true); },
                    u8"フィールド 'memo' はチェックボックスではありません。"},
        FailureCase{"NoBody", "/drawing.svg", [](TWebBrowser& b) { b.BodyInnerHTML(); },
                    u8"ドキュメントに body 要素がありません。"},
        FailureCase{"NoFormInADrawing", "/drawing.svg",
                    [](TWebBrowser& b) { b.FormFieldValue("query", "start"); },
                    u8"ドキュメントにフォーム 'query' がありません。"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(DocumentTest, APageThatDoesNotAnswerInTimeRaisesAndTheLateAnswerIsHarmless) {
    HeldPage held(server);
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/busy.html"));
    ASSERT_TRUE(held.Hold(*browser));
    browser->SetDocumentTimeout(200);
    try {
        browser->FormFieldValue("query", "value");
        FAIL() << "no error raised";
    } catch (const EWebBrowserError& error) {
        EXPECT_EQ(error.Message(), u8"ドキュメントからの応答がありません (200 ミリ秒)。"_sj);
    }
    // Once the page is free again it answers as before.
    held.Release();
    browser->SetDocumentTimeout(10000);
    EXPECT_EQ(browser->FormFieldValue("query", "value"), "ready");
}

TEST_F(DocumentTest, ABrowserDeletedWhileItsDocumentIsReadRaises) {
    HeldPage held(server);
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/busy.html"));
    ASSERT_TRUE(held.Hold(*browser));
    TWebBrowser* raw = browser.get();
    QTimer::singleShot(100, [&] { browser.reset(); });
    try {
        raw->FormFieldValue("query", "value");
        FAIL() << "no error raised";
    } catch (const EWebBrowserError& error) {
        EXPECT_EQ(error.Message(),
                  u8"ドキュメントへのアクセス中に Web ブラウザが閉じられました。"_sj);
    }
    EXPECT_EQ(browser, nullptr);
    held.Release();
    // The answer that still comes finds nothing to write to.
    auto other = MakeBrowser();
    Load(*other, QStringLiteral("/busy.html"));
    EXPECT_EQ(other->FormFieldValue("query", "value"), "ready");
}

} // namespace

#include "platform/browser/EWebBrowserError.h"

#include <string>

EWebBrowserError EWebBrowserError::NoSession() {
    return EWebBrowserError("Web ブラウザのセッションが作られていません。");
}

EWebBrowserError EWebBrowserError::NoDocument() {
    return EWebBrowserError("Web ブラウザにドキュメントが読み込まれていません。");
}

EWebBrowserError EWebBrowserError::NoBody() {
    return EWebBrowserError("ドキュメントに body 要素がありません。");
}

EWebBrowserError EWebBrowserError::NoForm(const AnsiString& form) {
    return EWebBrowserError("ドキュメントにフォーム '" + form.ToUtf8() + "' がありません。");
}

EWebBrowserError EWebBrowserError::NoField(const AnsiString& form, const AnsiString& field) {
    return EWebBrowserError("フォーム '" + form.ToUtf8() + "' にフィールド '" + field.ToUtf8() +
                            "' がありません。");
}

EWebBrowserError EWebBrowserError::NoValue(const AnsiString& field) {
    return EWebBrowserError("フィールド '" + field.ToUtf8() + "' は値を持ちません。");
}

EWebBrowserError EWebBrowserError::NotCheckable(const AnsiString& field) {
    return EWebBrowserError("フィールド '" + field.ToUtf8() +
                            "' はチェックボックスではありません。");
}

EWebBrowserError EWebBrowserError::ScriptFailed(const AnsiString& detail) {
    std::string text = "ドキュメントへのアクセスに失敗しました。";
    if (!detail.IsEmpty()) {
        text += " (" + detail.ToUtf8() + ")";
    }
    return EWebBrowserError(text);
}

EWebBrowserError EWebBrowserError::Timeout(int milliseconds) {
    return EWebBrowserError("ドキュメントからの応答がありません (" + std::to_string(milliseconds) +
                            " ミリ秒)。");
}

EWebBrowserError EWebBrowserError::DuringEngineCallback() {
    return EWebBrowserError(
        "Web ブラウザが移動の可否を待っている間は、ドキュメントにアクセスできません。");
}

EWebBrowserError EWebBrowserError::ClosedDuringAccess() {
    return EWebBrowserError("ドキュメントへのアクセス中に Web ブラウザが閉じられました。");
}

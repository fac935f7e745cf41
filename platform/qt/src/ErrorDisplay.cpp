#include "platform/qt/ErrorDisplay.h"

#include "platform/Exceptions.h"
#include "platform/MessageBox.h"

namespace {

AnsiString& Title() {
    static AnsiString title;
    return title;
}

constexpr unsigned kIconError = 0x10;

} // namespace

void SetApplicationTitle(const AnsiString& title) {
    Title() = title;
}

AnsiString ApplicationTitle() {
    return Title();
}

void ShowApplicationError(const std::exception& error) {
    AnsiString text;
    if (const auto* own = dynamic_cast<const Exception*>(&error)) {
        text = own->Message();
    } else {
        text = AnsiString::FromUtf8(error.what());
    }
    ShowMessageBox(text, Title(), kIconError);
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowApplicationError(error);
        return false;
    }
}

#include "platform/qt/ErrorDisplay.h"

#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/qt/DoubleClicks.h"

#include <atomic>

namespace {

AnsiString& Title() {
    static AnsiString title;
    return title;
}

constexpr unsigned kIconError = 0x10;

std::atomic<bool> ending{false};

// An error text can carry whatever a data file or a page held (a whole cell, a whole line). The
// display keeps it readable: at most the first kShownHead and the last kShownTail characters,
// with a mark where the rest was left out, cut between characters.
constexpr std::size_t kShownHead = 300;
constexpr std::size_t kShownTail = 100;

std::size_t CharacterLength(const std::string& bytes, std::size_t at) {
    return cp932::IsLeadByte(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() ? 2
                                                                                             : 1;
}

AnsiString ShownText(const AnsiString& text) {
    const std::string& bytes = text.str();
    if (bytes.size() <= kShownHead + kShownTail) {
        return text;
    }
    std::size_t count = 0;
    std::size_t headEnd = 0;
    for (std::size_t at = 0; at < bytes.size(); at += CharacterLength(bytes, at)) {
        if (count == kShownHead) {
            headEnd = at;
        }
        ++count;
    }
    if (count <= kShownHead + kShownTail) {
        return text;
    }
    std::size_t tailStart = 0;
    std::size_t index = 0;
    for (std::size_t at = 0; at < bytes.size(); at += CharacterLength(bytes, at), ++index) {
        if (index == count - kShownTail) {
            tailStart = at;
            break;
        }
    }
    return AnsiString(bytes.substr(0, headEnd)) + u8"…"_sj + AnsiString(bytes.substr(tailStart));
}

} // namespace

void SetApplicationTitle(const AnsiString& title) {
    Title() = title;
}

AnsiString ApplicationTitle() {
    return Title();
}

void EndApplication() {
    ending = true;
    QCoreApplication::exit(0);
}

bool ApplicationEnding() {
    return ending;
}

void ShowApplicationError(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error) != nullptr || ending) {
        return;
    }
    AnsiString text;
    if (const auto* own = dynamic_cast<const Exception*>(&error)) {
        text = own->Message();
    } else {
        text = AnsiString::FromUtf8(error.what());
    }
    ShowMessageBox(ShownText(text), Title(), kIconError);
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    installEventFilter(new SameControlDoubleClicks(this));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowApplicationError(error);
        return false;
    }
}

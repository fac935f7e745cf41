#include "platform/MessageBox.h"

#include <cstdio>
#include <utility>

namespace {

MessageBoxHandler& CurrentHandler() {
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

int ShowMessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags) {
    if (MessageBoxHandler& handler = CurrentHandler()) {
        return handler(text, caption, flags);
    }
    std::fprintf(stderr, "[%s] %s\n", caption.ToUtf8().c_str(), text.ToUtf8().c_str());
    return (flags & 0xF) == mb::YESNO ? mb::IDNO : mb::IDOK;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

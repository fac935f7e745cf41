#include "platform/testing/MessageBoxRecorder.h"

#include <cstdio>

MessageBoxRecorder::MessageBoxRecorder() {
    previous_ = SetMessageBoxHandler([this](const AnsiString& text, const AnsiString& caption,
                                            unsigned flags) { return Show(text, caption, flags); });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHandler(std::move(previous_));
}

int MessageBoxRecorder::Show(const AnsiString& text, const AnsiString& caption, unsigned flags) {
    calls_.push_back(Call{text, caption, flags});
    if (hook_) {
        hook_(calls_.back());
    }
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (flags & 0xF) == mb::YESNO ? mb::IDNO : mb::IDOK;
}

void PrintTo(const MessageBoxRecorder::Call& call, std::ostream* out) {
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%X", call.flags);
    *out << "{text \"" << Printable(call.text) << "\", caption \"" << Printable(call.caption)
         << "\", flags " << flags << "}";
}

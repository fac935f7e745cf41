#pragma once

#include "platform/MessageBox.h"

#include <deque>
#include <ostream>
#include <vector>

// Replaces the message box while it lives: keeps every (text, caption, flags) and answers from a
// script, so tests never block on a dialog and can assert every message exactly.
class MessageBoxRecorder {
public:
    struct Call {
        AnsiString text;
        AnsiString caption;
        unsigned flags = 0;
        friend bool operator==(const Call&, const Call&) = default;
    };

    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Answers for the next questions, in order. Unscripted boxes are answered OK, unscripted
    // Yes/No questions No.
    void Answer(int answer) { answers_.push_back(answer); }
    // Runs while a box is shown (after it is recorded), for tests that act from inside a dialog.
    void OnShow(std::function<void(const Call&)> hook) { hook_ = std::move(hook); }

    const std::vector<Call>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }

private:
    int Show(const AnsiString& text, const AnsiString& caption, unsigned flags);

    std::vector<Call> calls_;
    std::deque<int> answers_;
    std::function<void(const Call&)> hook_;
    MessageBoxHandler previous_;
};

void PrintTo(const MessageBoxRecorder::Call& call, std::ostream* out);

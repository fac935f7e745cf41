#pragma once

#include "platform/AnsiString.h"
#include "platform/qt/KeyChar.h"

#include <QLineEdit>

#include <functional>

// A one-line edit with the class library's events: OnChange after every change of the text,
// typed, pasted or set from code; OnKeyPress for every typed character before the edit takes it
// (the handler sets the character to 0 to drop it). Pasting does not pass OnKeyPress.
class TEdit : public QLineEdit {
public:
    explicit TEdit(QWidget* parent = nullptr);

    AnsiString Text() const;
    void SetText(const AnsiString& text);

    std::function<void()> OnChange;
    KeyPressHandler OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

#pragma once

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <functional>
#include <optional>

// The character that a key press delivers to a key-press handler of the class library, as
// Windows translates keys into characters: Backspace 8 (with Ctrl 127), Enter 13 (with Ctrl 10),
// Escape 27, Ctrl with a letter its control character (Ctrl+V is 22), a printable character
// itself, and a character outside ASCII the first byte of its code-page-932 form. Keys that give
// no character (arrows, Delete, function keys, Tab) give nothing.
std::optional<char> KeyCharOf(const QKeyEvent& event);

// Key-press filter of the class library: the handler may replace the character by 0 to drop the
// key. Returns true when the key was dropped.
using KeyPressHandler = std::function<void(char& key)>;
bool DropsKey(const KeyPressHandler& handler, char key);

// Text committed by an input method is filtered character by character through the same
// handler; returns the characters that passed.
QString FilterCommittedText(const KeyPressHandler& handler, const QString& text);

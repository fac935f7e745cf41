#include "platform/qt/KeyChar.h"

#include "platform/qt/QtText.h"

std::optional<char> KeyCharOf(const QKeyEvent& event) {
    const auto modifiers = event.modifiers();
    const bool control = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    switch (event.key()) {
    case Qt::Key_Backspace:
        return control ? '\x7f' : '\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return control ? '\n' : '\r';
    case Qt::Key_Escape:
        return '\x1b';
    default:
        break;
    }
    if (control && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        return static_cast<char>(event.key() - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const QChar first = text.front();
    if (first.unicode() < 0x20 || first.unicode() == 0x7F) {
        // Control characters not covered above (Tab and the like) are not typed characters.
        return std::nullopt;
    }
    if (first.unicode() < 0x80) {
        return static_cast<char>(first.unicode());
    }
    const AnsiString bytes = FromQString(text.left(first.isHighSurrogate() ? 2 : 1));
    return bytes.IsEmpty() ? std::nullopt : std::optional<char>(bytes.str().front());
}

bool DropsKey(const KeyPressHandler& handler, char key) {
    if (!handler) {
        return false;
    }
    handler(key);
    return key == 0;
}

QString FilterCommittedText(const KeyPressHandler& handler, const QString& text) {
    if (!handler) {
        return text;
    }
    QString passed;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString piece = text.mid(i, width);
        i += width - 1;
        const AnsiString bytes = FromQString(piece);
        if (bytes.IsEmpty()) {
            continue;
        }
        if (!DropsKey(handler, bytes.str().front())) {
            passed += piece;
        }
    }
    return passed;
}

#include "platform/qt/TEdit.h"

#include "platform/qt/QtText.h"

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange) {
            OnChange();
        }
    });
}

AnsiString TEdit::Text() const {
    return FromQString(text());
}

void TEdit::SetText(const AnsiString& text) {
    setText(ToQString(text));
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    if (const auto key = KeyCharOf(*event); key && DropsKey(OnKeyPress, *key)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!OnKeyPress || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(FilterCommittedText(OnKeyPress, event->commitString()),
                             event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

#pragma once

#include "platform/AnsiString.h"

#include <QLabel>

// A label that sizes itself to its caption, as the class library's labels do; "\r\n" in a
// caption starts a new line.
class TLabel : public QLabel {
public:
    explicit TLabel(QWidget* parent = nullptr);

    AnsiString Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    void SetCaption(const QString& caption);
    void SetFontColor(const QColor& color);

protected:
    void changeEvent(QEvent* event) override;

private:
    AnsiString caption_;
};

#pragma once

#include "platform/AnsiString.h"

#include <QLabel>

// A label that sizes itself to its caption, as the class library's labels do; "\r\n" in a
// caption starts a new line. Lines are laid out as DrawText lays them out (on the font's em
// box), so that a layout made for the Windows fonts holds with a taller stand-in font.
class TLabel : public QLabel {
public:
    explicit TLabel(QWidget* parent = nullptr);

    AnsiString Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    void SetCaption(const QString& caption);
    void SetFontColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    AnsiString caption_;
};

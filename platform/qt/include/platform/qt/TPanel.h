#pragma once

#include <QWidget>

// A container of controls, as the class library's panel: its outer bevel is raised unless set
// otherwise, a 1-pixel edge drawn light on the top and left and dark on the bottom and right
// (the corners top right and bottom left dark), around a face of the window colour.
class TPanel : public QWidget {
public:
    enum class Bevel { None, Raised };

    explicit TPanel(QWidget* parent = nullptr);

    Bevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(Bevel bevel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel bevelOuter_ = Bevel::Raised;
};

#include "platform/qt/TPanel.h"

#include <QImage>
#include <gtest/gtest.h>

#include <ostream>

namespace {

const QColor kLight(255, 0, 0);
const QColor kDark(0, 0, 255);
const QColor kFace(0, 255, 0);

struct BevelCase {
    TPanel::Bevel bevel;
    int width, height;
};

std::ostream& operator<<(std::ostream& out, const BevelCase& c) {
    return out << (c.bevel == TPanel::Bevel::Raised ? "raised " : "none ") << c.width << "x"
               << c.height;
}

// What the class library draws at (x, y): the bottom row and the right column dark, then the
// top row and the left column light, the rest the face.
QColor Expected(const BevelCase& c, int x, int y) {
    if (c.bevel == TPanel::Bevel::None) {
        return kFace;
    }
    if (x == c.width - 1 || y == c.height - 1) {
        return kDark;
    }
    if (x == 0 || y == 0) {
        return kLight;
    }
    return kFace;
}

class TPanelBevelTest : public testing::TestWithParam<BevelCase> {};

TEST_P(TPanelBevelTest, DrawsEveryPixelOfTheEdgeAsTheClassLibrary) {
    const BevelCase c = GetParam();
    TPanel panel;
    QPalette colours = panel.palette();
    colours.setColor(QPalette::Light, kLight);
    colours.setColor(QPalette::Dark, kDark);
    colours.setColor(QPalette::Window, kFace);
    panel.setPalette(colours);
    panel.SetBevelOuter(c.bevel);
    panel.resize(c.width, c.height);
    const QImage image = panel.grab().toImage();
    ASSERT_EQ(image.size(), QSize(c.width, c.height));
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            ASSERT_EQ(image.pixelColor(x, y), Expected(c, x, y)) << "at " << x << ", " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Panels, TPanelBevelTest,
                         testing::Values(BevelCase{TPanel::Bevel::Raised, 7, 4},
                                         BevelCase{TPanel::Bevel::Raised, 2, 2},
                                         BevelCase{TPanel::Bevel::Raised, 1, 3},
                                         BevelCase{TPanel::Bevel::None, 7, 4}));

TEST(TPanelTest, TheBevelIsRaisedUntilSetOtherwise) {
    TPanel panel;
    EXPECT_EQ(panel.BevelOuter(), TPanel::Bevel::Raised);
    panel.SetBevelOuter(TPanel::Bevel::None);
    EXPECT_EQ(panel.BevelOuter(), TPanel::Bevel::None);
}

} // namespace

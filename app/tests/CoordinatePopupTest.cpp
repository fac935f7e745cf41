#include "CoordinatePopup.h"

#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

AnsiString Sj(const std::string& utf8) {
    return AnsiString::FromUtf8(utf8);
}

struct LineCase {
    const char* line;
    double value;
};

TEST(CoordinatePopupTest, ALinesValueRunsFromItsFirstEqualsSignToTheNextBracket) {
    const LineCase cases[] = {
        {"X(m)=-10000.5</td>", -10000.5},
        {"<td>緯度(度)=34.73</td><td>=9>", 34.73},
        {"a= 1.5e2>", 150.0},
        {"a=+7x>8", 7.0},
        {"a=>12", 0.0},          // nothing before the bracket
        {"a=", 0.0},             // nothing after the sign
        {"=12", 0.0},            // nothing before the sign
        {"緯度(度) 34.73", 0.0}, // no sign
        {"a=abc", 0.0},
        {"a=12", 12.0}, // no bracket: to the end
        // Attribute values as the browser writes them, in quotes.
        {"<input name=\"lat\" value=\"34.6782\">", 0.0}, // the first sign is the name's
        {"緯度(度)<input value=\"34.6782\">", 34.6782},
        {"Y(m)<input value='-12345.6'>", -12345.6},
        {"a=\">", 0.0},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(CoordinateLineValue(Sj(c.line)), c.value) << c.line;
    }
}

// A number beyond the range of a double is no coordinate: it counts as not found, so the
// pick-up tries again and finally fails instead of storing an endless value.
TEST(CoordinatePopupTest, NumbersBeyondTheRangeOfADoubleAreNotFound) {
    const LineCase cases[] = {
        {"X(m)=1e999</td>", 0.0},
        {"a=-1e400>", 0.0},
        {"a=1.8e308", 0.0},
        {"a=1.7976931348623157e308", 1.7976931348623157e308}, // the largest double
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(CoordinateLineValue(Sj(c.line)), c.value) << c.line;
    }
    PickedCoordinates values;
    ReadCoordinatePopup(Sj("緯度(度)=34.5\n経度(度)=136.5\nX(m)=1e999\nY(m)=20000"), values);
    EXPECT_EQ(values.x, 0.0);
    EXPECT_FALSE(values.Complete());
}

TEST(CoordinatePopupTest, ThePopupGivesLatitudeLongitudeXAndYFromTheirLines) {
    // Lines end in CR LF, LF or CR; an empty line is no line; reading ends at the X line.
    const AnsiString text =
        Sj(ReadWholeFile(std::string(APP_TEST_DATA) + "/popup/coordinates.txt"));
    PickedCoordinates values;
    ReadCoordinatePopup(text, values);
    EXPECT_EQ(values.latitude, 34.730213);
    EXPECT_EQ(values.longitude, 136.508591);
    EXPECT_EQ(values.x, -10000.5);
    EXPECT_EQ(values.y, 20000.25);
    EXPECT_TRUE(values.Complete());
}

TEST(CoordinatePopupTest, WhatATextDoesNotMentionKeepsItsValueAndAMentionWithoutAValueIsZero) {
    PickedCoordinates values;
    ReadCoordinatePopup(Sj("X(m)=5\nY(m)=6"), values);
    EXPECT_FALSE(values.Complete()) << "no latitude yet";
    ReadCoordinatePopup(Sj("緯度(度)=34.5\n経度(度)=136.5"), values);
    EXPECT_TRUE(values.Complete()) << "X and Y of the earlier text count";
    EXPECT_EQ(values.x, 5.0);

    ReadCoordinatePopup(Sj("<p>緯度(度) 34.5</p>\n<p>経度(度)=136.5</p>"), values);
    EXPECT_EQ(values.latitude, 0.0);
    EXPECT_EQ(values.longitude, 136.5);
    ReadCoordinatePopup(Sj("X(m)=7"), values);
    EXPECT_EQ(values.x, 7.0);
    EXPECT_EQ(values.y, 0.0) << "a missing next line";
    ReadCoordinatePopup(Sj("緯度(度)=1\nX(m)=8\nY(m)=9"), values);
    EXPECT_EQ(values.longitude, 8.0) << "the line after the latitude is the longitude's";
    EXPECT_EQ(values.x, 7.0) << "that line was used up";
    EXPECT_EQ(values.y, 0.0);
}

} // namespace

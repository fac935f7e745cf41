#pragma once

#include "platform/AnsiString.h"

// The work site's position as the GIS map's coordinate pop-up shows it: latitude and longitude
// in degrees, plane coordinates X and Y in metres; 0 where nothing has been read.
struct PickedCoordinates {
    double latitude = 0.0;
    double longitude = 0.0;
    double x = 0.0;
    double y = 0.0;

    // All four were found (none of them is 0).
    bool Complete() const;
};

// Reads the pop-up's text (the page body, code page 932) into `values`. The text is split into
// lines at every CR and LF, empty lines skipped. A line containing "緯度(度)" gives the latitude
// and the line after it the longitude; a line containing "X(m)" gives X, the line after it Y,
// and ends the reading. A value is what follows a line's first "=" up to the next ">", read as
// C's atof reads it; a line without "=", with "=" as its first character or with nothing after
// it, a number beyond the range of a double, and a missing line, give 0. Values that the text
// does not mention keep what they hold.
void ReadCoordinatePopup(const AnsiString& text, PickedCoordinates& values);

// The value of one line of the pop-up, by the rule above.
double CoordinateLineValue(const AnsiString& line);

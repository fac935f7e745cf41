#pragma once

#include "platform/AnsiString.h"

// The work site's position as texts: latitude and longitude in degrees, plane rectangular X
// (north) and Y (east) in metres. All empty at construction.
class CCoordinatesData {
public:
    void SetLatitude(const AnsiString& text) { latitude_ = text; }
    void SetLongitude(const AnsiString& text) { longitude_ = text; }
    void SetX(const AnsiString& text) { x_ = text; }
    void SetY(const AnsiString& text) { y_ = text; }

    AnsiString GetLatitude() const { return latitude_; }
    AnsiString GetLongitude() const { return longitude_; }
    AnsiString GetX() const { return x_; }
    AnsiString GetY() const { return y_; }

private:
    AnsiString latitude_;
    AnsiString longitude_;
    AnsiString x_;
    AnsiString y_;
};

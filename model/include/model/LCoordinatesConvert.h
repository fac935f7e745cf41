#pragma once

// Converts plane rectangular coordinates of the one zone the system works in (origin 36 deg N,
// 136 deg E, GRS80, scale 0.9999 on the central meridian) to geodetic latitude and longitude.
class LCoordinatesConvert {
public:
    LCoordinatesConvert();

    // X: northing from the zone origin, metres; Y: easting, metres. Any pair is accepted; far
    // from the origin (beyond a few hundred kilometres) the series lose accuracy.
    void ConvertXYToLatLon(double x, double y);

    // Results of the last conversion in decimal degrees, north and east positive; 0 before the
    // first conversion.
    double GetLatitude() const { return latitude_; }
    double GetLongitude() const { return longitude_; }

private:
    // Meridian arc length in metres from the equator to latitude phi (radians).
    double CalcMeridianArc(double phi) const;
    // Latitude (radians) whose meridian arc equals x / m0 plus the arc of the origin.
    double CalcFootpointLatitude(double x) const;

    double x_ = 0.0;
    double y_ = 0.0;
    double latitude_ = 0.0;
    double longitude_ = 0.0;
    double a_;
    double rf_;
    double originLatitude_;
    double originLongitude_;
    double m0_;
};

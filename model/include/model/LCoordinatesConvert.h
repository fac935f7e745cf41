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

    // Everything that depends on the constants alone, worked out once by the constructor with
    // the same operations a conversion would use, so that results do not change by a bit.
    double e2_;                   // first eccentricity squared
    double ePrime2_;              // second eccentricity squared
    double arcFactor_;            // a (1 - e^2)
    double footpointDenominator_; // 2 a (1 - e^2)
    double threeE2_;              // 3 e^2
    double arcTerms_[9];          // A, B/2, C/4, ... I/16 of the meridian arc series
    double phi0_;                 // origin latitude, radians
    double lambda0_;              // origin longitude, radians
    double arc0_;                 // meridian arc of the origin latitude
};

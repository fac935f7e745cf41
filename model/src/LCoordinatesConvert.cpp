#include "model/LCoordinatesConvert.h"

#include <cmath>

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr long double kInversePi = 0.31830988618379068395L;
// Footpoint iteration stops below 1e-5 x 2^pi radians of change.
constexpr double kFootpointTolerance = 8.824977827076287e-05;
// The iteration needs one or two steps inside the zone; the bound only guards against inputs
// for which it would never settle (such as NaN).
constexpr int kFootpointMaxSteps = 100;

struct Eccentricity {
    double e2, e4, e6, e8, e10, e12, e14, e16;
};

Eccentricity Powers(double e) {
    Eccentricity p{};
    p.e2 = e * e;
    p.e4 = p.e2 * p.e2;
    p.e6 = p.e4 * p.e2;
    p.e8 = p.e6 * p.e2;
    p.e10 = p.e8 * p.e2;
    p.e12 = p.e10 * p.e2;
    p.e14 = p.e12 * p.e2;
    p.e16 = p.e14 * p.e2;
    return p;
}

double ToDegrees(double radians) {
    return static_cast<double>(static_cast<long double>(radians) * 180.0L * kInversePi);
}

} // namespace

LCoordinatesConvert::LCoordinatesConvert()
    : a_(6378137.0), rf_(298.257222101), originLatitude_(36.0), originLongitude_(136.0),
      m0_(0.9999) {
    const double e = std::sqrt(2.0 * rf_ - 1.0) / rf_;
    const double ePrime = std::sqrt(2.0 * rf_ - 1.0) / (rf_ - 1.0);
    const Eccentricity p = Powers(e);
    e2_ = p.e2;
    ePrime2_ = ePrime * ePrime;
    arcFactor_ = a_ * (1.0 - p.e2);
    footpointDenominator_ = 2.0 * a_ * (1.0 - p.e2);
    threeE2_ = 3.0 * p.e2;

    const double A = 1.0 + 3.0 / 4.0 * p.e2 + 45.0 / 64.0 * p.e4 + 175.0 / 256.0 * p.e6 +
                     11025.0 / 16384.0 * p.e8 + 43659.0 / 65536.0 * p.e10 +
                     693693.0 / 1048576.0 * p.e12 + 19324305.0 / 29360128.0 * p.e14 +
                     4927697775.0 / 7516192768.0 * p.e16;
    const double B = 3.0 / 4.0 * p.e2 + 15.0 / 16.0 * p.e4 + 525.0 / 512.0 * p.e6 +
                     2205.0 / 2048.0 * p.e8 + 72765.0 / 65536.0 * p.e10 +
                     297297.0 / 262144.0 * p.e12 + 135270135.0 / 117440512.0 * p.e14 +
                     547521975.0 / 469762048.0 * p.e16;
    const double C = 15.0 / 64.0 * p.e4 + 105.0 / 256.0 * p.e6 + 2205.0 / 4096.0 * p.e8 +
                     10395.0 / 16384.0 * p.e10 + 1486485.0 / 2097152.0 * p.e12 +
                     45090045.0 / 58720256.0 * p.e14 + 766530765.0 / 939524096.0 * p.e16;
    const double D = 35.0 / 512.0 * p.e6 + 315.0 / 2048.0 * p.e8 + 31185.0 / 131072.0 * p.e10 +
                     165165.0 / 524288.0 * p.e12 + 45090045.0 / 117440512.0 * p.e14 +
                     209053845.0 / 469762048.0 * p.e16;
    const double E = 315.0 / 16384.0 * p.e8 + 3465.0 / 65536.0 * p.e10 +
                     99099.0 / 1048576.0 * p.e12 + 4099095.0 / 29360128.0 * p.e14 +
                     348423075.0 / 1879048192.0 * p.e16;
    const double F = 693.0 / 131072.0 * p.e10 + 9009.0 / 524288.0 * p.e12 +
                     4099095.0 / 117440512.0 * p.e14 + 26801775.0 / 469762048.0 * p.e16;
    const double G = 3003.0 / 2097152.0 * p.e12 + 315315.0 / 58720256.0 * p.e14 +
                     11486475.0 / 939524096.0 * p.e16;
    const double H = 45045.0 / 117440512.0 * p.e14 + 765765.0 / 469762048.0 * p.e16;
    const double I = 765765.0 / 7516192768.0 * p.e16;
    arcTerms_[0] = A;
    arcTerms_[1] = B / 2.0;
    arcTerms_[2] = C / 4.0;
    arcTerms_[3] = D / 6.0;
    arcTerms_[4] = E / 8.0;
    arcTerms_[5] = F / 10.0;
    arcTerms_[6] = G / 12.0;
    arcTerms_[7] = H / 14.0;
    arcTerms_[8] = I / 16.0;

    phi0_ = originLatitude_ * kDegToRad;
    lambda0_ = originLongitude_ * kDegToRad;
    arc0_ = CalcMeridianArc(phi0_);
}

double LCoordinatesConvert::CalcMeridianArc(double phi) const {
    // The sine terms in order of increasing multiple, after the A phi term.
    double series = arcTerms_[0] * phi;
    series -= arcTerms_[1] * std::sin(2.0 * phi);
    series += arcTerms_[2] * std::sin(4.0 * phi);
    series -= arcTerms_[3] * std::sin(6.0 * phi);
    series += arcTerms_[4] * std::sin(8.0 * phi);
    series -= arcTerms_[5] * std::sin(10.0 * phi);
    series += arcTerms_[6] * std::sin(12.0 * phi);
    series -= arcTerms_[7] * std::sin(14.0 * phi);
    series += arcTerms_[8] * std::sin(16.0 * phi);
    return arcFactor_ * series;
}

double LCoordinatesConvert::CalcFootpointLatitude(double x) const {
    const double target = x / m0_ + arc0_;
    double phi = phi0_;
    double arc = arc0_;
    for (int step = 0; step < kFootpointMaxSteps; ++step) {
        const double sinPhi = std::sin(phi);
        const double w = std::sqrt(1.0 - e2_ * sinPhi * sinPhi);
        const double diff = arc - target;
        const double next =
            phi + 2.0 * diff * w * w * w /
                      (threeE2_ * diff * sinPhi * std::cos(phi) * w - footpointDenominator_);
        const bool settled = std::fabs(next - phi) < kFootpointTolerance;
        phi = next;
        if (settled) {
            break;
        }
        // Only a further step needs the arc of the new latitude.
        arc = CalcMeridianArc(next);
    }
    return phi;
}

void LCoordinatesConvert::ConvertXYToLatLon(double x, double y) {
    x_ = x;
    y_ = y;

    const double phi1 = CalcFootpointLatitude(x);
    const double t1 = std::tan(phi1);
    const double t2 = t1 * t1;
    const double t4 = t2 * t2;
    const double t6 = t4 * t2;
    const double cosPhi1 = std::cos(phi1);
    const double sinPhi1 = std::sin(phi1);
    const double eta1 = std::sqrt(ePrime2_ * cosPhi1 * cosPhi1);
    const double eta2 = eta1 * eta1;
    const double eta4 = eta2 * eta2;
    const double w1 = std::sqrt(1.0 - e2_ * sinPhi1 * sinPhi1);
    const double n1 = a_ / w1;
    const double yy = y / m0_;
    const double y2 = yy * yy;
    const double y3 = y2 * yy;
    const double y4 = y3 * yy;
    const double y5 = y4 * yy;
    const double y6 = y5 * yy;
    const double y7 = y6 * yy;
    const double y8 = y7 * yy;
    const double n2 = n1 * n1;
    const double n3 = n2 * n1;
    const double n4 = n3 * n1;
    const double n5 = n4 * n1;
    const double n6 = n5 * n1;
    const double n7 = n6 * n1;
    const double n8 = n7 * n1;

    const double p2 = t1 / (2.0 * n2) * (1.0 + eta2) * y2;
    const double p4 =
        t1 / (24.0 * n4) *
        (5.0 + 3.0 * t2 + 6.0 * eta2 - 6.0 * t2 * eta2 - 3.0 * eta4 - 9.0 * t2 * eta4) * y4;
    const double p6 =
        t1 / (720.0 * n6) *
        (61.0 + 90.0 * t2 + 45.0 * t4 + 107.0 * eta2 - 162.0 * t2 * eta2 - 45.0 * t4 * eta2) * y6;
    const double p8 = t1 / (40320.0 * n8) * (1385.0 + 3633.0 * t2 + 4095.0 * t4 + 1575.0 * t6) * y8;
    double phi = phi1 - p2;
    phi += p4;
    phi -= p6;
    phi += p8;

    const double q1 = yy / (n1 * cosPhi1);
    const double q3 = (1.0 + 2.0 * t2 + eta2) * y3 / (6.0 * n3 * cosPhi1);
    const double q5 =
        (5.0 + 28.0 * t2 + 24.0 * t4 + 6.0 * eta2 + 8.0 * t2 * eta2) * y5 / (120.0 * n5 * cosPhi1);
    const double q7 = (61.0 + 662.0 * t2 + 1320.0 * t4 + 720.0 * t6) * y7 / (5040.0 * n7 * cosPhi1);
    double bracket = q1 - q3;
    bracket += q5;
    bracket -= q7;
    const double lambda = lambda0_ + bracket;

    latitude_ = ToDegrees(phi);
    longitude_ = ToDegrees(lambda);
}

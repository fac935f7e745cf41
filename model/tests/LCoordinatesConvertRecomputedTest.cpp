// The conversion works out its series coefficients once; this test holds it to the results of
// the same formulas with every coefficient worked out afresh at each call, bit for bit.
#include "model/LCoordinatesConvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

// The formulas evaluated as written, everything derived anew for each point.
class RecomputedConvert {
public:
    void Convert(double x, double y) {
        const double e = std::sqrt(2.0 * rf_ - 1.0) / rf_;
        const double e2 = e * e;
        const double ePrime = std::sqrt(2.0 * rf_ - 1.0) / (rf_ - 1.0);
        const double lambda0 = 136.0 * 0.017453292519943295;
        const double phi1 = Footpoint(x);
        const double t1 = std::tan(phi1);
        const double t2 = t1 * t1;
        const double t4 = t2 * t2;
        const double t6 = t4 * t2;
        const double cosPhi1 = std::cos(phi1);
        const double sinPhi1 = std::sin(phi1);
        const double eta1 = std::sqrt(ePrime * ePrime * cosPhi1 * cosPhi1);
        const double eta2 = eta1 * eta1;
        const double eta4 = eta2 * eta2;
        const double n1 = a_ / std::sqrt(1.0 - e2 * sinPhi1 * sinPhi1);
        const double yy = y / m0_;
        double yp[9] = {1.0};
        double np[9] = {1.0};
        for (int k = 1; k <= 8; ++k) {
            yp[k] = k == 1 ? yy : yp[k - 1] * yy;
            np[k] = k == 1 ? n1 : np[k - 1] * n1;
        }
        const double p2 = t1 / (2.0 * np[2]) * (1.0 + eta2) * yp[2];
        const double p4 =
            t1 / (24.0 * np[4]) *
            (5.0 + 3.0 * t2 + 6.0 * eta2 - 6.0 * t2 * eta2 - 3.0 * eta4 - 9.0 * t2 * eta4) * yp[4];
        const double p6 =
            t1 / (720.0 * np[6]) *
            (61.0 + 90.0 * t2 + 45.0 * t4 + 107.0 * eta2 - 162.0 * t2 * eta2 - 45.0 * t4 * eta2) *
            yp[6];
        const double p8 =
            t1 / (40320.0 * np[8]) * (1385.0 + 3633.0 * t2 + 4095.0 * t4 + 1575.0 * t6) * yp[8];
        double phi = phi1 - p2;
        phi += p4;
        phi -= p6;
        phi += p8;
        const double q1 = yy / (n1 * cosPhi1);
        const double q3 = (1.0 + 2.0 * t2 + eta2) * yp[3] / (6.0 * np[3] * cosPhi1);
        const double q5 = (5.0 + 28.0 * t2 + 24.0 * t4 + 6.0 * eta2 + 8.0 * t2 * eta2) * yp[5] /
                          (120.0 * np[5] * cosPhi1);
        const double q7 =
            (61.0 + 662.0 * t2 + 1320.0 * t4 + 720.0 * t6) * yp[7] / (5040.0 * np[7] * cosPhi1);
        double bracket = q1 - q3;
        bracket += q5;
        bracket -= q7;
        latitude = Degrees(phi);
        longitude = Degrees(lambda0 + bracket);
    }

    double latitude = 0.0;
    double longitude = 0.0;

private:
    static double Degrees(double radians) {
        return static_cast<double>(static_cast<long double>(radians) * 180.0L *
                                   0.31830988618379068395L);
    }

    double Arc(double phi) const {
        const double e = std::sqrt(2.0 * rf_ - 1.0) / rf_;
        double p[17] = {1.0};
        for (int k = 2; k <= 16; k += 2) {
            p[k] = k == 2 ? e * e : p[k - 2] * (e * e);
        }
        const double A = 1.0 + 3.0 / 4.0 * p[2] + 45.0 / 64.0 * p[4] + 175.0 / 256.0 * p[6] +
                         11025.0 / 16384.0 * p[8] + 43659.0 / 65536.0 * p[10] +
                         693693.0 / 1048576.0 * p[12] + 19324305.0 / 29360128.0 * p[14] +
                         4927697775.0 / 7516192768.0 * p[16];
        const double B = 3.0 / 4.0 * p[2] + 15.0 / 16.0 * p[4] + 525.0 / 512.0 * p[6] +
                         2205.0 / 2048.0 * p[8] + 72765.0 / 65536.0 * p[10] +
                         297297.0 / 262144.0 * p[12] + 135270135.0 / 117440512.0 * p[14] +
                         547521975.0 / 469762048.0 * p[16];
        const double C = 15.0 / 64.0 * p[4] + 105.0 / 256.0 * p[6] + 2205.0 / 4096.0 * p[8] +
                         10395.0 / 16384.0 * p[10] + 1486485.0 / 2097152.0 * p[12] +
                         45090045.0 / 58720256.0 * p[14] + 766530765.0 / 939524096.0 * p[16];
        const double D = 35.0 / 512.0 * p[6] + 315.0 / 2048.0 * p[8] + 31185.0 / 131072.0 * p[10] +
                         165165.0 / 524288.0 * p[12] + 45090045.0 / 117440512.0 * p[14] +
                         209053845.0 / 469762048.0 * p[16];
        const double E = 315.0 / 16384.0 * p[8] + 3465.0 / 65536.0 * p[10] +
                         99099.0 / 1048576.0 * p[12] + 4099095.0 / 29360128.0 * p[14] +
                         348423075.0 / 1879048192.0 * p[16];
        const double F = 693.0 / 131072.0 * p[10] + 9009.0 / 524288.0 * p[12] +
                         4099095.0 / 117440512.0 * p[14] + 26801775.0 / 469762048.0 * p[16];
        const double G = 3003.0 / 2097152.0 * p[12] + 315315.0 / 58720256.0 * p[14] +
                         11486475.0 / 939524096.0 * p[16];
        const double H = 45045.0 / 117440512.0 * p[14] + 765765.0 / 469762048.0 * p[16];
        const double I = 765765.0 / 7516192768.0 * p[16];
        double series = A * phi;
        series -= B / 2.0 * std::sin(2.0 * phi);
        series += C / 4.0 * std::sin(4.0 * phi);
        series -= D / 6.0 * std::sin(6.0 * phi);
        series += E / 8.0 * std::sin(8.0 * phi);
        series -= F / 10.0 * std::sin(10.0 * phi);
        series += G / 12.0 * std::sin(12.0 * phi);
        series -= H / 14.0 * std::sin(14.0 * phi);
        series += I / 16.0 * std::sin(16.0 * phi);
        return a_ * (1.0 - p[2]) * series;
    }

    double Footpoint(double x) const {
        const double e = std::sqrt(2.0 * rf_ - 1.0) / rf_;
        const double e2 = e * e;
        const double phi0 = 36.0 * 0.017453292519943295;
        const double target = x / m0_ + Arc(phi0);
        double phi = phi0;
        double arc = Arc(phi0);
        for (int step = 0; step < 100; ++step) {
            const double sinPhi = std::sin(phi);
            const double w = std::sqrt(1.0 - e2 * sinPhi * sinPhi);
            const double diff = arc - target;
            const double next =
                phi + 2.0 * diff * w * w * w /
                          (3.0 * e2 * diff * sinPhi * std::cos(phi) * w - 2.0 * a_ * (1.0 - e2));
            arc = Arc(next);
            const bool settled = std::fabs(next - phi) < 8.824977827076287e-05;
            phi = next;
            if (settled) {
                break;
            }
        }
        return phi;
    }

    // Read through volatile members, so that the compiler folds nothing the conversion does not.
    volatile double a_ = 6378137.0;
    volatile double rf_ = 298.257222101;
    volatile double m0_ = 0.9999;
};

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

std::vector<std::pair<double, double>> Points() {
    std::vector<std::pair<double, double>> points;
    // A grid over the zone and well beyond it, where the footpoint needs more steps.
    for (double x = -600000.0; x <= 600000.0; x += 4321.0) {
        for (double y = -400000.0; y <= 400000.0; y += 3217.0) {
            points.emplace_back(x, y);
        }
    }
    std::mt19937 random(6674);
    std::uniform_real_distribution<double> metres(-300000.0, 300000.0);
    for (int i = 0; i < 20000; ++i) {
        points.emplace_back(metres(random), metres(random));
    }
    const double edges[] = {0.0,
                            -0.0,
                            1e-300,
                            -1e-9,
                            0.001,
                            149999.9,
                            -287654.3,
                            1e7,
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (double x : edges) {
        for (double y : edges) {
            points.emplace_back(x, y);
        }
    }
    return points;
}

TEST(LCoordinatesConvertRecomputedTest, ResultsAreBitIdenticalToRecomputedCoefficients) {
    LCoordinatesConvert convert;
    RecomputedConvert reference;
    const std::vector<std::pair<double, double>> points = Points();
    ASSERT_GT(points.size(), 70000u);
    for (const auto& [x, y] : points) {
        convert.ConvertXYToLatLon(x, y);
        reference.Convert(x, y);
        ASSERT_TRUE(SameBits(convert.GetLatitude(), reference.latitude))
            << x << "," << y << ": " << convert.GetLatitude() << " against " << reference.latitude;
        ASSERT_TRUE(SameBits(convert.GetLongitude(), reference.longitude))
            << x << "," << y << ": " << convert.GetLongitude() << " against "
            << reference.longitude;
    }
}

} // namespace

#include "model/LCoordinatesConvert.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

constexpr double kTolerance = 1e-9; // degrees

TEST(LCoordinatesConvertTest, ReferencePoints) {
    struct Case {
        double x, y, latitude, longitude;
    } cases[] = {
        {0.0, 0.0, 36.0, 136.0},
        {-100000.0, -20000.0, 35.0984100015, 135.7806288677},
        {100000.0, 50000.0, 36.8999312126, 136.5610433626},
    };
    LCoordinatesConvert convert;
    for (const Case& c : cases) {
        convert.ConvertXYToLatLon(c.x, c.y);
        EXPECT_NEAR(convert.GetLatitude(), c.latitude, 1e-10 + 5e-11) << c.x << "," << c.y;
        EXPECT_NEAR(convert.GetLongitude(), c.longitude, 1e-10 + 5e-11) << c.x << "," << c.y;
    }
}

TEST(LCoordinatesConvertTest, OriginAndCentralMeridianAreExact) {
    LCoordinatesConvert convert;
    EXPECT_EQ(convert.GetLatitude(), 0.0);
    EXPECT_EQ(convert.GetLongitude(), 0.0);
    convert.ConvertXYToLatLon(0.0, 0.0);
    EXPECT_EQ(convert.GetLatitude(), 36.0);
    EXPECT_EQ(convert.GetLongitude(), 136.0);
    for (double x : {-300000.0, -1.0, 12345.6, 150000.0}) {
        convert.ConvertXYToLatLon(x, 0.0);
        EXPECT_EQ(convert.GetLongitude(), 136.0) << x;
    }
}

TEST(LCoordinatesConvertTest, NegatedEastingMirrorsTheLongitude) {
    LCoordinatesConvert convert;
    convert.ConvertXYToLatLon(-54321.0, 87654.0);
    const double latitude = convert.GetLatitude();
    const double east = convert.GetLongitude() - 136.0;
    convert.ConvertXYToLatLon(-54321.0, -87654.0);
    EXPECT_DOUBLE_EQ(convert.GetLatitude(), latitude);
    EXPECT_NEAR(136.0 - convert.GetLongitude(), east, 1e-12);
}

TEST(LCoordinatesConvertTest, EachConversionStandsAlone) {
    LCoordinatesConvert fresh;
    fresh.ConvertXYToLatLon(100000.0, 50000.0);
    LCoordinatesConvert reused;
    reused.ConvertXYToLatLon(-250000.0, 110000.0);
    reused.ConvertXYToLatLon(100000.0, 50000.0);
    EXPECT_EQ(reused.GetLatitude(), fresh.GetLatitude());
    EXPECT_EQ(reused.GetLongitude(), fresh.GetLongitude());
}

// Points across the zone converted by PROJ (data/make_proj_reference.sh).
TEST(LCoordinatesConvertTest, AgreesWithProjAcrossTheZone) {
    std::ifstream in(MODEL_TEST_DATA "/proj_reference.txt");
    ASSERT_TRUE(in) << "reference table missing";
    LCoordinatesConvert convert;
    std::string line;
    int points = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        double x, y, latitude, longitude;
        ASSERT_TRUE(fields >> x >> y >> latitude >> longitude) << line;
        convert.ConvertXYToLatLon(x, y);
        EXPECT_NEAR(convert.GetLatitude(), latitude, kTolerance) << line;
        EXPECT_NEAR(convert.GetLongitude(), longitude, kTolerance) << line;
        ++points;
    }
    EXPECT_GT(points, 200);
}

} // namespace

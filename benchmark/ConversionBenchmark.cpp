// The plane-to-geographic conversion per point, against PROJ's proj_trans from the plane
// rectangular zone (EPSG:6674) to geographic JGD2011 (EPSG:6668), over the same points.
#include "model/LCoordinatesConvert.h"

#include <benchmark/benchmark.h>

#ifdef VAKREL_BENCHMARK_PROJ
#include <proj.h>
#endif

#include <cmath>
#include <random>
#include <vector>

namespace {

struct Point {
    double x;
    double y;
};

// Points spread over the zone, up to 150 km from its origin.
const std::vector<Point>& Points() {
    static const std::vector<Point> points = [] {
        std::mt19937 random(6674);
        std::uniform_real_distribution<double> metres(-150000.0, 150000.0);
        std::vector<Point> made(4096);
        for (Point& point : made) {
            point = {metres(random), metres(random)};
        }
        return made;
    }();
    return points;
}

void Convert(benchmark::State& state) {
    const std::vector<Point>& points = Points();
    LCoordinatesConvert convert;
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& point = points[i++ % points.size()];
        convert.ConvertXYToLatLon(point.x, point.y);
        benchmark::DoNotOptimize(convert.GetLatitude());
        benchmark::DoNotOptimize(convert.GetLongitude());
    }
}

#ifdef VAKREL_BENCHMARK_PROJ
void ProjTrans(benchmark::State& state) {
    PJ_CONTEXT* context = proj_context_create();
    PJ* transform = proj_create_crs_to_crs(context, "EPSG:6674", "EPSG:6668", nullptr);
    if (transform == nullptr) {
        state.SkipWithError("PROJ has no transformation from EPSG:6674 to EPSG:6668");
        proj_context_destroy(context);
        return;
    }
    const std::vector<Point>& points = Points();
    // Both sides must compute the same thing: compare one point first.
    LCoordinatesConvert convert;
    convert.ConvertXYToLatLon(points[0].x, points[0].y);
    const PJ_COORD check =
        proj_trans(transform, PJ_FWD, proj_coord(points[0].x, points[0].y, 0, 0));
    if (std::fabs(check.v[0] - convert.GetLatitude()) > 1e-8 ||
        std::fabs(check.v[1] - convert.GetLongitude()) > 1e-8) {
        state.SkipWithError("PROJ and the conversion disagree");
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& point = points[i++ % points.size()];
        const PJ_COORD result = proj_trans(transform, PJ_FWD, proj_coord(point.x, point.y, 0, 0));
        benchmark::DoNotOptimize(result);
    }
    proj_destroy(transform);
    proj_context_destroy(context);
}
BENCHMARK(ProjTrans);
#endif

} // namespace

BENCHMARK(Convert);

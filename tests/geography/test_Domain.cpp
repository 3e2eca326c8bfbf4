// Domains: earth distance, domain texts and the projections.
#include "HYX/Domain.h"
#include "HYX/String.h"

#include "TestUtil.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;

// Independent reference: the haversine formula in double precision on a sphere of
// radius 6371.22 km (the earth radius the library uses).
double haversineKm(double lat1, double lon1, double lat2, double lon2) {
    const double r = M_PI / 180.0;
    const double a = std::sin((lat2 - lat1) * r / 2), b = std::sin((lon2 - lon1) * r / 2);
    const double h = a * a + std::cos(lat1 * r) * std::cos(lat2 * r) * b * b;
    return 2.0 * 6371.22 * std::asin(std::sqrt(h));
}

Domain domain(const char* text) {
    Domain d;
    EXPECT_EQ(d.set(text), 1) << text;
    return d;
}

std::string limits(const Domain& d) {
    return testutil::captureOut([&] { d.printLimits(); });
}

// Plot distance between two nearby earth points, in km (plot units are 100 km).
double plotKm(const Domain& d, const EarthPoint& a, const EarthPoint& b) {
    Point p, q;
    EXPECT_EQ(d.tran(a, p), 1);
    EXPECT_EQ(d.tran(b, q), 1);
    return 100.0 * std::hypot(q.x - p.x, q.y - p.y);
}

} // namespace

TEST(EarthDistance, DegreeOfLatitudeAndRealStations) {
    // 6371.22 km * pi / 180 = 111.1995 km.
    EXPECT_NEAR(Domain::calcEarthDist(EarthPoint(-1, -100), EarthPoint(0, -100)), 111.2f, 0.01);
    EXPECT_EQ(Domain::calcEarthDist(EarthPoint(39.77f, -104.87f), EarthPoint(39.77f, -104.87f)),
              0.0f);
    EXPECT_EQ(Domain::calcEarthDist(EarthPoint(MISS, 0), EarthPoint(0, 0)), MISS);
    EXPECT_EQ(Domain::calcEarthDist(EarthPoint(10, 0), EarthPoint(0, MISS)), MISS);
    // Positions of real upper-air stations (station table of the installation):
    // DNR Denver, LBF North Platte, OAX Omaha, DVN Davenport, BOI Boise, UIL Quillayute,
    // and 02963 Jokioinen and 94120 Darwin for long and southern paths.
    // A 1 km step keeps its precision.
    const EarthPoint stn[] = {{39.77f, -104.87f}, {41.13f, -100.70f}, {41.32f, -96.37f},
                              {41.61f, -90.58f},  {43.57f, -116.21f}, {47.93f, -124.56f},
                              {60.81f, 23.50f},   {-12.42f, 130.89f}, {45.0f, 7.0f},
                              {45.009f, 7.0f}};
    for (const EarthPoint& a : stn)
        for (const EarthPoint& b : stn) {
            if (&a == &b) continue;
            const double ref = haversineKm(a.lat, a.lon, b.lat, b.lon);
            EXPECT_NEAR(Domain::calcEarthDist(a, b), ref, ref * 0.001)
                << a.lat << "," << a.lon << " " << b.lat << "," << b.lon;
        }
    EXPECT_NEAR(Domain::calcEarthDist(EarthPoint(0, 0), EarthPoint(0, 180)), 6371.22 * M_PI, 0.5)
        << "antipodes";
}

TEST(Domain, TextFormsParseAndPrintBack) {
    Domain d;
    ASSERT_EQ(d.set("ll,40,-100,11,11,1,1"), 1);
    EXPECT_EQ(d.proj, Domain::LATLON);
    EXPECT_EQ(limits(d), "(-5.000000,35.000000)-(5.000000,45.000000)\n");
    ASSERT_EQ(d.set("xlogp"), 1) << "the name alone";
    EXPECT_EQ(d.proj, Domain::XLOGP);
    EXPECT_FALSE(d.limits.valid());

    for (const char* bad : {"", ",1,2,3,4,5,6", "ll,40,-100", "ll,40,-100,11.5,11,1,1"})
        EXPECT_EQ(d.set(bad), 0) << bad;
    EXPECT_EQ(d.set(nullptr), 0);
    EXPECT_EQ(d.set((std::string(100, 'a') + ",1,2,3,4,5,6").c_str()), 0);

    // The printed text reads back into the same domain.
    for (const char* text :
         {"polar:60:-105,45,-100,10,10,1,1", "lamb:e:40:-97:30:60,39,-97,61,41,1,1",
          "ll,40,-100,11,11,1,1", "xlogp,350,5,10,10,1,1"}) {
        Domain a, b;
        ASSERT_EQ(a.set(text), 1);
        String s(300);
        a.toString(s);
        ASSERT_EQ(b.set(s.get()), 1) << s.get();
        EXPECT_TRUE(DomainVal::compare(a, b)) << text << " -> " << s.get();
    }
}

TEST(Domain, ProjectionNames) {
    // Full names and abbreviations, in any case.
    const std::pair<const char*, int> names[] = {{"LAMBAZ", 8}, {"lambert", 4}, {"la", 8},
                                                 {"xp", 23},    {"xplot", -1},  {"Mercator", 3},
                                                 {"rteph", 44}, {"bogus", -1},  {"", -1}};
    for (const auto& n : names) EXPECT_EQ(Domain::getProj(n.first), n.second) << n.first;
    EXPECT_EQ(Domain::getProj(nullptr), -1);
    // Every printed name that is also accepted reads back as its own code.
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 21, 24, 26, 40, 41, 42, 43, 44, 50})
        EXPECT_EQ(Domain::getProj(Domain::getProjName(code)), code) << code;
}

TEST(Domain, EveryProjectionInvertsItsForwardTransformation) {
    // Maps: earth points go to the plot and back; where a row gives a short step, its
    // plot length is its great-circle length (the projection keeps its scale there, within
    // 0.2 %). Orthographic and satellite views hide the far side.
    const struct {
        const char* text;
        EarthPoint a, b; // a short step, or a missing latitude for none
    } maps[] = {{"ll:0:-100,40,-100,21,21,1,1", {MISS, 0}, {MISS, 0}},
                {"ps:-60:140,-45,140,10,10,1,1", {MISS, 0}, {MISS, 0}},
                {"ps:90:-105,60,-105,10,10,1,1", {60, -105}, {60, -104.8f}},
                {"merc:0:0,0,0,10,10,1,1", {0, 10}, {0, 10.2f}},
                {"merc:e:20:-100,30,-100,10,10,1,1", {MISS, 0}, {MISS, 0}},
                // a standard parallel at 60 and 30 degrees
                {"lamb:40:-105,45,-105,10,10,1,1", {60, -105}, {60, -104.8f}},
                {"lamb:40:-97,39,-97,10,10,1,1", {30, -97}, {30.2f, -97}},
                {"ortho:40:-100,40,-100,10,10,1,1", {MISS, 0}, {MISS, 0}},
                {"moll:0:0,0,0,10,10,1,1", {MISS, 0}, {MISS, 0}},
                {"lambaz:45:-100,45,-100,10,10,1,1", {MISS, 0}, {MISS, 0}},
                {"sat:e:30:-75,30,-75,10,10,1,1", {MISS, 0}, {MISS, 0}},
                {"gnom,0,0,10,10,1,1", {MISS, 0}, {MISS, 0}}};
    const float pts[][2] = {{40, -100}, {25.5f, -80.25f}, {55, -120}, {10, -60}, {-30, -90}};
    for (const auto& m : maps) {
        SCOPED_TRACE(m.text);
        const Domain d = domain(m.text);
        for (const auto& ll : pts) {
            Point p;
            if (!d.tran(EarthPoint(ll[0], ll[1]), p)) continue; // hidden by this view
            EarthPoint e;
            ASSERT_EQ(d.tran(p, e), 1) << ll[0] << "," << ll[1];
            EXPECT_NEAR(e.lat, ll[0], 2e-3);
            EXPECT_NEAR(e.lon, ll[1], 2e-3);
        }
        if (m.a.lat == MISS) continue;
        const double ref = haversineKm(m.a.lat, m.a.lon, m.b.lat, m.b.lon);
        EXPECT_NEAR(plotKm(d, m.a, m.b), ref, ref * 0.002);
    }
    Point p;
    EXPECT_EQ(domain("ortho:40:-100,40,-100,10,10,1,1").tran(EarthPoint(-40, 80), p), 0);
    EXPECT_EQ(p.x, MISS);
    EXPECT_EQ(Domain().tran(EarthPoint(MISS, 3), p), 0);

    // Diagrams carry two data values: (temperature or distance, pressure).
    const char* diagrams[] = {
        "xlogp,350,5,10,10,1,1",  "skewt,0,1000,10,10,2,0.1", "teph,0,1000,10,10,1,1",
        "rteph,0,1000,10,10,1,1", "stuve,0,1000,10,10,1,1",   "ema,0,1000,10,10,1,1",
        "hodo,0,0,10,10,1,1",     "xp:2:3,10,10,10,10,1,1",   "pixel,0,0,10,10,1,1"};
    const float vals[][2] = {{20, 850}, {-40, 300}, {5, 1000}, {-60, 150}};
    for (const char* text : diagrams) {
        const Domain d = domain(text);
        for (const auto& v : vals) {
            ASSERT_EQ(d.tran(EarthPoint(v[0], v[1]), p), 1) << text;
            EarthPoint e;
            ASSERT_EQ(d.tran(p, e), 1) << text;
            // The hodograph gives its angle back in 0..360.
            EXPECT_NEAR(std::remainder(e.lat - v[0], 360.0), 0.0, 1e-3 * (1 + std::fabs(v[0])))
                << text;
            EXPECT_NEAR(e.lon, v[1], 1e-3 * v[1]) << text;
        }
    }
    // Pressure grows downwards on the log-pressure diagram.
    const Domain xp = domain("xlogp,350,5,10,10,1,1");
    Point hi, lo;
    xp.tran(EarthPoint(0, 1000), lo);
    xp.tran(EarthPoint(0, 100), hi);
    EXPECT_NEAR(hi.y - lo.y, std::log(10.0), 1e-5);
    EXPECT_EQ(xp.tran(EarthPoint(0, 0), lo), 0) << "no logarithm of zero pressure";
}

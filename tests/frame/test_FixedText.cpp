// Numbers with a fixed count of decimals: the same text as printf's "%.Nf".
#include "HYX/FixedText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

using namespace HYX;

namespace {

std::string fixed(float v, int decimals) {
    char out[FixedText::SIZE];
    const int n = FixedText::put(out, v, decimals);
    EXPECT_EQ(n, static_cast<int>(std::strlen(out)));
    return out;
}

std::string printed(float v, int decimals) {
    char out[64];
    std::snprintf(out, sizeof out, "%.*f", decimals, v);
    return out;
}

} // namespace

TEST(FixedText, WritesWhatPrintfWrites) {
    // Exact ties round to even (0.125 and 2.5), near ties by their binary value (0.025f is
    // a little above 0.025, 1.005f a little below 1.005), a negative value rounding to zero
    // keeps its sign, and values printf alone handles (infinities, NaN, huge) go through it.
    const struct {
        float v;
        int decimals;
        const char* text;
    } rows[] = {
        {0.125f, 2, "0.12"},     {0.375f, 2, "0.38"}, {2.5f, 0, "2"},
        {3.5f, 0, "4"},          {0.025f, 2, "0.03"}, {1.005f, 2, "1.00"},
        {-0.001f, 2, "-0.00"},   {-0.0f, 1, "-0.0"},  {0.0f, 4, "0.0000"},
        {612.375f, 2, "612.38"}, {-7.25f, 1, "-7.2"}, {1e20f, 2, "100000002004087734272.00"},
        {INFINITY, 2, "inf"},    {-NAN, 2, "-nan"},   {1.5f, 7, "1.5000000"}};
    for (const auto& r : rows) EXPECT_EQ(fixed(r.v, r.decimals), r.text) << r.v;

    // Random floats of every magnitude up to the largest that is formatted without printf.
    std::mt19937 rng(20240601);
    std::uniform_real_distribution<float> expo(-12.0f, 14.0f);
    for (int i = 0; i < 200000; ++i) {
        const float v = (rng() & 1 ? -1.0f : 1.0f) * std::pow(10.0f, expo(rng));
        const int d = static_cast<int>(rng() % (FixedText::MAX_DECIMALS + 1));
        ASSERT_EQ(fixed(v, d), printed(v, d)) << v << " " << d;
    }
    // Values on a grid of hundredths, where half-way cases of two decimals cluster.
    for (int k = -200000; k <= 200000; ++k) {
        const float v = k / 800.0f;
        ASSERT_EQ(fixed(v, 2), printed(v, 2)) << v;
    }
}

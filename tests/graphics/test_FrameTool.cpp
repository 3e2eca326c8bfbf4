// Animation loop arithmetic: frame order of plain and back-and-forth loops, speed steps.
#include "HYX/FrameTool.h"

#include <gtest/gtest.h>

#include <vector>

using HYX::FrameTool;

namespace {

std::vector<int> run(int cur, int step, int lo, int hi, int direct, int n) {
    std::vector<int> out;
    for (int i = 0; i < n; ++i) out.push_back(cur = FrameTool::next(cur, step, lo, hi, direct));
    return out;
}

TEST(FrameTool, PlainLoopsWrapAndBackAndForthLoopsTurn) {
    EXPECT_EQ(run(0, 0, 0, 2, 1, 5), (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_EQ(run(0, 0, 0, 2, 0, 4), (std::vector<int>{2, 1, 0, 2})) << "plain, backwards";
    EXPECT_EQ(run(0, 0, 0, 3, 3, 8), (std::vector<int>{1, 2, 3, 2, 1, 0, 1, 2}));
    EXPECT_EQ(run(3, 0, 0, 3, 2, 4), (std::vector<int>{2, 1, 0, 1})) << "back and forth, back";
    EXPECT_EQ(run(1, 0, 1, 2, 1, 3), (std::vector<int>{2, 1, 2})) << "within a range";
    EXPECT_EQ(run(0, -1, 0, 2, 1, 2), (std::vector<int>{2, 1})) << "stepping back wraps";
    EXPECT_EQ(run(-1, 0, 0, 2, 1, 1), std::vector<int>{0}) << "nothing shown yet: the first";
    EXPECT_EQ(run(0, 0, 0, 0, 3, 3), (std::vector<int>{0, 0, 0})) << "one frame stays";
    int direct = 3;
    FrameTool::next(2, 0, 0, 2, direct);
    EXPECT_EQ(direct, 2) << "turned at the end";
}

TEST(FrameTool, SpeedStepsStayBetweenLimits) {
    // Expected values follow the steps: 0.1 s below 1.6 s (faster) or 1.01 s (slower),
    // 1 s above; at least 0.05 s, at most 10 s. Float tolerance 1e-5.
    const float faster[][2] = {{0.5f, 0.4f}, {0.1f, 0.05f}, {0.05f, 0.05f},
                               {1.5f, 1.4f}, {2.0f, 1.0f},  {9.0f, 8.0f}};
    for (const auto& c : faster) EXPECT_NEAR(FrameTool::rate(c[0], 1), c[1], 1e-5) << c[0];
    const float slower[][2] = {{0.5f, 0.6f},  {1.0f, 1.1f},  {1.01f, 2.01f},
                               {9.5f, 10.0f}, {0.05f, 0.1f}, {0.03f, 0.1f}};
    for (const auto& c : slower) EXPECT_NEAR(FrameTool::rate(c[0], -1), c[1], 1e-5) << c[0];
    EXPECT_FLOAT_EQ(FrameTool::rate(0.7f, 0), 0.7f);
}

} // namespace

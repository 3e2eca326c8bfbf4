// Labels, the colour bar and the border around a plot.
#include "HYX/ColorBar.h"

#include <gtest/gtest.h>

#include <string>

using namespace HYX;

TEST(ColorBar, ParametersSetPositionAndRange) {
    ColorBar b;
    EXPECT_STREQ(b.getLocate(), "ll");
    EXPECT_EQ(b.getRange().max, Const::FMISS);
    b.setParam("LO=ur,Ra=-10.5:40,junk,ra=bad");
    EXPECT_STREQ(b.getLocate(), "ur");
    EXPECT_EQ(b.getRange().min, -10.5f);
    EXPECT_EQ(b.getRange().max, 40.0f);
    ColorFill f;
    f.setInterval(2);
    b.setFill(f);
    EXPECT_EQ(b.getType(), ColorBar::FILL);
    EXPECT_EQ(b.getFill().getInterval(), 2.0f);
}

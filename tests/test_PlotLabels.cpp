// Labels, the colour bar and the border around a plot.
#include "HYX/ColorBar.h"
#include "HYX/PlotLabel.h"

#include <gtest/gtest.h>

#include <string>

using namespace HYX;

TEST(PlotLabel, PositionCodesAndBoundedFields) {
    EXPECT_EQ(PlotLabel::getPosIndex("ul"), 0);
    EXPECT_EQ(PlotLabel::getPosIndex("uc"), 1);
    EXPECT_EQ(PlotLabel::getPosIndex("ur"), 2);
    EXPECT_EQ(PlotLabel::getPosIndex("ll"), 3);
    EXPECT_EQ(PlotLabel::getPosIndex("lc"), 4);
    EXPECT_EQ(PlotLabel::getPosIndex("lr"), 5);
    EXPECT_EQ(PlotLabel::getPosIndex("UR"), 0); // exact codes only
    EXPECT_EQ(PlotLabel::getPosIndex(nullptr), 0);

    const std::string big(300, 'x');
    PlotLabel l(2, big.c_str(), big.c_str(), big.c_str());
    EXPECT_EQ(l.getLayer(), 2);
    EXPECT_EQ(std::string(l.getLocate()).size(), 9u);
    EXPECT_EQ(std::string(l.getString()).size(), 99u);
    EXPECT_EQ(std::string(l.getFormat()).size(), 49u);
    PlotLabel s(PlotLabel::STAND_ALONE, "lr", "text", "");
    EXPECT_TRUE(s.isStandAlone());
    EXPECT_EQ(s.getPosIndex(), PlotLabel::LR);
}

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

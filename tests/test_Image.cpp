// Raster image pixel access: byte orders, pixel sizes, channel masks, palettes, bounds.
#include "HYX/Image.h"
#include "HYX/RGB.h"

#include <gtest/gtest.h>

using namespace HYX;

TEST(Image, PixelsByDepthAndByteOrder) {
    Image img;
    img.set(3, 2, 32);
    EXPECT_EQ(img.getBytesLine(), 12);
    ASSERT_EQ(img.allocData(), 1);
    img.setPixel(2, 1, 0x11223344u);
    const unsigned char* d = img.getData();
    EXPECT_EQ(d[12 + 8], 0x11); // most significant byte first
    EXPECT_EQ(d[12 + 11], 0x44);
    EXPECT_EQ(img.getVal(2, 1), 0x11223344u);
    img.setByteOrder(0);
    EXPECT_EQ(img.getVal(2, 1), 0x44332211u);
    img.setPixel(0, 0, 0xA1B2C3D4u);
    EXPECT_EQ(d[0], 0xD4);

    for (int depth : {16, 24}) {
        Image other;
        other.set(2, 2, depth);
        other.allocData();
        other.setPixel(1, 1, 0xBEEFu);
        EXPECT_EQ(other.getPixel(1, 1), 0xBEEF) << depth;
        EXPECT_EQ(other.getVal(0, 1), 0u) << depth;
    }

    // Outside the image: 0, and nothing is written.
    EXPECT_EQ(img.getVal(3, 0), 0u);
    EXPECT_EQ(img.getPixel(-1, 0), 0);
    EXPECT_EQ(img.setPixel(0, 2, 7), 0);
    // A pixel layout that claims more bytes than were allocated is refused.
    img.setBytesLine(100);
    EXPECT_EQ(img.getVal(2, 1), 0u);
    EXPECT_EQ(img.setPixel(2, 1, 1), 0);
}

TEST(Image, ColoursFromMasksAndPalettes) {
    // Direct colour with the masks of a 24-bit visual.
    Image img;
    img.set(2, 1, 32);
    img.allocData();
    img.setColorType(Image::DIRECT);
    img.setMasks(0xFF0000u, 0x00FF00u, 0x0000FFu);
    img.setPixel(0, 0, 0x00FF8000u);
    RGB c;
    ASSERT_EQ(img.getRGB(0, 0, c), 1);
    EXPECT_FLOAT_EQ(c.red, 1.0f);
    EXPECT_NEAR(c.grn, 128.0f / 255, 1e-6);
    EXPECT_FLOAT_EQ(c.blu, 0.0f);
    // A 16-bit 5-6-5 layout: the green of 0x07E0 is full.
    img.setMasks(0xF800u, 0x07E0u, 0x001Fu);
    img.setPixel(1, 0, 0x07E0u);
    img.getRGB(1, 0, c);
    EXPECT_FLOAT_EQ(c.grn, 1.0f);
    EXPECT_FLOAT_EQ(c.red, 0.0f);

    // Colour-mapped: palette colours, device values, transparency.
    Image map;
    map.set(2, 2, 8);
    map.allocData();
    map.allocColors(2);
    map.setColor(0, 0.5f, 0.25f, 1);
    map.setColor(1, -1, 0, 0); // transparent entry
    map.setColorVal(0, 4242);
    map.setPixel(1, 0, 1);
    map.setPixel(0, 1, 200); // beyond the palette: the last entry
    map.getRGB(0, 0, c);
    EXPECT_FLOAT_EQ(c.red, 0.5f);
    EXPECT_FLOAT_EQ(c.grn, 0.25f);
    EXPECT_EQ(map.getPixel(0, 0), 4242);
    EXPECT_EQ(map.getPixel(0, 1), -1);
    EXPECT_TRUE(map.isPixelTrans(1, 0));
    EXPECT_FALSE(map.isPixelTrans(0, 0));
    map.setTransColor(0);
    EXPECT_TRUE(map.hasTransColor());
    EXPECT_TRUE(map.isPixelTrans(0, 0));

    // Copies are deep; init empties everything.
    Image copy = map;
    copy.setPixel(0, 0, 1);
    EXPECT_EQ(map.getVal(0, 0), 0u);
    map.init();
    EXPECT_FALSE(map.validData());
    EXPECT_EQ(map.getNumColors(), 0);
    EXPECT_EQ(map.getTransColor(), -1);
    EXPECT_EQ(map.getColorType(), Image::MAPPED);
}

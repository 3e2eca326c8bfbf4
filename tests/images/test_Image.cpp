// The image model: pixel layouts, palettes, transparency, data values, positions through the
// domain, deep copies, and conversions to 8-bit colour-mapped pictures and onto a domain.
#include "HYX/Domain.h"
#include "HYX/Image.h"
#include "HYX/ImageMath.h"
#include "HYX/RGB.h"

#include "ImageTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace HYX;
using testutil::directPicture;

namespace {

constexpr float EPS = 1e-5f; // exact fractions k/m of small integers

// The largest difference between the colours of two pictures in any component.
float colourDiff(const Image& a, const Image& b) {
    float most = 0;
    RGB ca, cb;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x) {
            a.getRGB(x, y, ca);
            b.getRGB(x, y, cb);
            for (float d : {ca.red - cb.red, ca.grn - cb.grn, ca.blu - cb.blu})
                most = std::max(most, std::fabs(d));
        }
    return most;
}

} // namespace

TEST(Image, PixelBytesFollowBitsPerPixelAndByteOrder) {
    struct Case {
        int bits;
        int order;
        uint32_t value;
        unsigned char bytes[4];
    };
    const Case cases[] = {{32, 1, 0x11223344u, {0x11, 0x22, 0x33, 0x44}},
                          {32, 0, 0x11223344u, {0x44, 0x33, 0x22, 0x11}},
                          {24, 0, 0x00A1B2C3u, {0xC3, 0xB2, 0xA1, 0}},
                          {16, 1, 0xBEEFu, {0xBE, 0xEF, 0, 0}},
                          {8, 1, 0x7Fu, {0x7F, 0, 0, 0}}};
    for (const Case& c : cases) {
        Image img;
        img.set(3, 2, c.bits);
        img.setByteOrder(c.order);
        ASSERT_EQ(img.getBytesLine(), 3 * c.bits / 8);
        ASSERT_EQ(img.allocData(), 1);
        ASSERT_EQ(img.setPixel(2, 1, c.value), 1);
        const unsigned char* p = img.getRow(1) + 2 * c.bits / 8;
        for (int k = 0; k < c.bits / 8; ++k) EXPECT_EQ(p[k], c.bytes[k]) << c.bits << "/" << k;
        EXPECT_EQ(img.getVal(2, 1), c.value);
        EXPECT_EQ(img.getPixel(2, 1), static_cast<int>(c.value));
        EXPECT_EQ(img.getVal(1, 1), 0u); // neighbours untouched
        // Outside the picture nothing is read or written.
        EXPECT_EQ(img.setPixel(3, 1, 1) + img.setPixel(-1, 0, 1), 0);
        EXPECT_EQ(img.getVal(0, 2), 0u);
        EXPECT_EQ(img.getPixel(-5, -5), 0);
    }
    // A layout that claims more bytes than were allocated is refused.
    Image lying;
    lying.set(3, 2, 32);
    lying.allocData();
    lying.setBytesLine(100);
    EXPECT_EQ(lying.getVal(2, 1), 0u);
    EXPECT_EQ(lying.setPixel(2, 1, 1), 0);
    Image empty;
    empty.set(4, 4, 8);
    EXPECT_EQ(empty.setPixel(0, 0, 3), 0); // no data allocated
    EXPECT_EQ(empty.getVal(0, 0), 0u);
    empty.set(0, 5, 8);
    EXPECT_EQ(empty.allocData(), 0);
}

TEST(Image, PaletteGivesDeviceValuesColoursAndTransparency) {
    Image img;
    img.set(4, 1, 8);
    img.allocData();
    img.allocColors(3);
    img.setColor(0, 1, 0, 0);
    img.setColor(1, RGB(0, 0.5f, 0));
    img.setColor(2, -1, -1, -1); // transparent entry
    for (int i = 0; i < 3; ++i) img.setColorVal(i, 100 + i);
    for (int x = 0; x < 4; ++x) img.setPixel(x, 0, static_cast<uint32_t>(x));
    EXPECT_EQ(img.getPixel(0, 0), 100);
    EXPECT_EQ(img.getPixel(1, 0), 101);
    EXPECT_EQ(img.getPixel(3, 0), 102); // index beyond the palette: the last entry
    RGB c;
    img.getRGB(1, 0, c);
    EXPECT_NEAR(c.grn, 0.5f, EPS);
    img.getRGB(3, 0, c);
    EXPECT_EQ(c.red, -1.0f);
    EXPECT_FALSE(img.isPixelTrans(0, 0));
    EXPECT_TRUE(img.isPixelTrans(2, 0)); // red of -1
    img.setTransColor(1);
    EXPECT_TRUE(img.isPixelTrans(1, 0));
    EXPECT_TRUE(img.hasTransColor());
    EXPECT_EQ(img.getColorVal(5), -1);
    EXPECT_EQ(img.setColor(3, 0, 0, 0), 0);
    EXPECT_EQ(img.getRed(-1), -1.0f);
}

TEST(Image, DirectColourChannelsComeFromTheMasks) {
    // RGB 5-6-5 in 16 bits: each channel scaled by its own maximum.
    Image img =
        directPicture(2, 1, 16, [](int x, int) { return x ? 0u : 0xF800u | 0x20u << 5 | 3u; });
    img.setMasks(0xF800u, 0x07E0u, 0x001Fu);
    RGB c;
    img.getRGB(0, 0, c);
    EXPECT_NEAR(c.red, 1.0f, EPS);
    EXPECT_NEAR(c.grn, 32.0f / 63.0f, EPS);
    EXPECT_NEAR(c.blu, 3.0f / 31.0f, EPS);
    img.setTransColor(0);
    EXPECT_TRUE(img.isPixelTrans(1, 0)); // the value 0 is the transparent value
    EXPECT_FALSE(img.isPixelTrans(0, 0));
}

TEST(Image, DataValuesStoreTheNearestTableEntry) {
    Image img;
    img.set(2, 1, 8);
    img.setColorType(Image::VALUES);
    img.allocData();
    img.setValues(std::vector<float>{-40.0f, -20.0f, 0.0f, 20.0f});
    img.setValue(0, 0, -19.0f);
    EXPECT_EQ(img.getValue(0, 0), -20.0f);
    EXPECT_EQ(img.getValue(5, 0), Const::FMISS);
}

TEST(Image, PositionsGoThroughTheDomainAndCopiesAreDeep) {
    // Plain 5 x 3 grid: grid point (0, 0) is plot (-2, 1), (4, 2) is (2, -1).
    Domain d;
    d.set(5, 3);
    Image img;
    img.set(d, 8);
    EXPECT_EQ(img.getWidth(), 5);
    EXPECT_EQ(img.getHeight(), 3);
    img.allocData();
    img.setPixel(0, 0, 7);
    img.setPixel(4, 2, 9);
    EXPECT_EQ(img.getPixel(Point(-2, 1)), 7);
    EXPECT_EQ(img.getPixel(Point(1.9f, -0.8f)), 9); // nearest pixel

    img.setInfo("copy me");
    img.allocColors(2);
    img.setColor(1, 0.25f, 0.5f, 0.75f);
    Image copy(img);
    img.setPixel(0, 0, 1);
    img.setColor(1, 0, 0, 0);
    img.setInfo("changed");
    EXPECT_EQ(copy.getVal(0, 0), 7u);
    EXPECT_NEAR(copy.getBlu(1), 0.75f, EPS);
    EXPECT_STREQ(copy.getInfo(), "copy me");
    EXPECT_TRUE(copy.hasDomain());
}

TEST(ImageMath, DirectPicturesOfFewColoursKeepEveryColourExactly) {
    const uint32_t cols[] = {0xFF0000u, 0x00FF00u, 0x123456u};
    Image img = directPicture(4, 2, 24, [&](int x, int y) { return cols[(x + y) % 3]; });
    img.setTransColor(0x123456);
    Image out;
    ASSERT_EQ(ImageMath::toIndex(img, 8, out), 1);
    EXPECT_EQ(out.getColorType(), Image::MAPPED);
    EXPECT_EQ(out.getDepth(), 8);
    ASSERT_EQ(out.getNumColors(), 3);
    EXPECT_LE(colourDiff(img, out), EPS);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(out.isPixelTrans(x, y), img.getVal(x, y) == 0x123456u);
    EXPECT_EQ(ImageMath::toIndex(img, 4, out), 0); // only 8 bits are made
}

TEST(ImageMath, ManyColoursAreMappedOntoTheCube) {
    Image img = directPicture(64, 64, 24, [](int x, int y) {
        return (static_cast<uint32_t>(x * 4) << 16) | (y * 4u << 8) | 128u;
    });
    Image out;
    ASSERT_EQ(ImageMath::toIndex(img, 8, out), 1);
    EXPECT_LE(out.getNumColors(), 256);
    // A cube of 6 levels is at most half a step (0.1) from the true colour.
    EXPECT_LE(colourDiff(img, out), 0.1f + EPS);
}

TEST(ImageMath, RemapTakesTheNearestPixelAtTheSameEarthPosition) {
    // Source: lat-lon picture of 1-degree pixels, pixel value = column + 10 * row.
    Domain src;
    ASSERT_EQ(src.set("ll,40,-100,11,11,1,1"), 1);
    Image img;
    img.set(src, 8);
    img.allocData();
    img.allocColors(110);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) img.setPixel(x, y, static_cast<uint32_t>(x + 10 * y));
    // Target: the same projection shifted 2 degrees east and 1 north, 5 x 5 pixels.
    Domain dst;
    ASSERT_EQ(dst.set("ll:40:-100,41,-98,5,5,1,1"), 1);
    Image out;
    ASSERT_EQ(ImageMath::remap(img, dst, out), 1);
    EXPECT_EQ(out.getWidth(), 5);
    // Target pixel (0, 0) is lat 43, lon -100: source column 5, row 2.
    EXPECT_EQ(out.getVal(0, 0), 5u + 10u * 2u);
    EXPECT_EQ(out.getVal(4, 4), 9u + 10u * 6u);
}

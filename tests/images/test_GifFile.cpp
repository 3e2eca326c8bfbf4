// GIF files: the writer checked against an independent decoder (PIL) for every size of
// colour table, the reader on its own and on PIL's files, and damaged input.
#include "HYX/GifFile.h"
#include "HYX/Image.h"
#include "HYX/ImageFile.h"

#include "ImageTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using namespace HYX;
using namespace testutil;

namespace {

// Offset of the first byte after the global colour table.
size_t afterTable(const std::vector<uint8_t>& g) {
    return 13 + ((g[10] & 0x80) ? 3u * (1u << ((g[10] & 7) + 1)) : 0u);
}

// Offset of the image descriptor, walking the extensions.
size_t descriptor(const std::vector<uint8_t>& g) {
    size_t p = afterTable(g);
    while (p < g.size() && g[p] == 0x21) {
        p += 2;
        while (p < g.size() && g[p] != 0) p += g[p] + 1u;
        ++p;
    }
    return p;
}

std::vector<uint8_t> encoded(const Image& img, int trans = -1, bool interlace = false) {
    std::vector<uint8_t> g;
    EXPECT_EQ(GifFile::encode(img, trans, interlace, g), 1);
    return g;
}

} // namespace

TEST(GifFile, IndependentDecodersSeeTheSamePixels) {
    ScratchDir dir;
    struct Case {
        const char* name;
        int w, h, colours, interlace, trans;
    };
    // The colour counts take the smallest tables (1 and 2 colours: two entries, the
    // minimum code size 2), one just past a power of two (17: 32 entries) and the largest.
    const Case cases[] = {{"one.gif", 9, 4, 1, 0, -1},
                          {"two.gif", 9, 4, 2, 0, -1},
                          {"small.gif", 5, 3, 3, 0, -1},
                          {"odd.gif", 33, 9, 17, 0, -1},
                          {"large.gif", 640, 480, 200, 0, -1},
                          {"trans.gif", 50, 20, 7, 0, 2},
                          {"big_inter.gif", 300, 203, 256, 1, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image img = mappedPicture(c.w, c.h, c.colours, static_cast<uint32_t>(c.w * 7 + c.h));
        img.setTransColor(c.trans);
        img.setInfo("Test picture");
        const std::string path = dir.file(c.name);
        ImageFile f;
        ASSERT_EQ(f.open(path.c_str(), ImageFile::WRITE, ImageFile::GIF), 1);
        f.getGif().setInterlace(c.interlace);
        ASSERT_EQ(f.write(img), 1);
        f.close();

        const std::string expect = rgbBytes(img);
        EXPECT_EQ(pilRGB(path), header(img) + expect);
        if (c.trans >= 0) {
            EXPECT_EQ(pilInfo(path, "im.info.get('transparency')"), std::to_string(c.trans) + "\n");
        }
        const std::string file = readFile(path);
        const std::vector<uint8_t> bytes(file.begin(), file.end());
        EXPECT_EQ((bytes[descriptor(bytes) + 9] & 0x40) >> 6, c.interlace);

        // And the reader gives back pixels, palette, title and transparency.
        Image back;
        ASSERT_EQ(ImageFile().read(path.c_str(), back), 1);
        EXPECT_EQ(back.getWidth(), c.w);
        EXPECT_EQ(back.getColorType(), Image::MAPPED);
        EXPECT_TRUE(rgbBytes(back) == expect);
        EXPECT_STREQ(back.getInfo(), "Test picture");
        EXPECT_EQ(back.getTransColor(), c.trans);
    }
}

TEST(GifFile, DirectColourPicturesAreConvertedAndTheDomainComesBack) {
    ScratchDir dir;
    Image img = directPicture(
        120, 40, 32,
        [](int x, int y) {
            return (static_cast<uint32_t>(x * 2) << 16) | (y % 2 ? 0xFF00u : 0u) | 7u;
        },
        0); // least significant byte first
    Domain d;
    ASSERT_EQ(d.set("polar:60:-105,45,-100,120,40,0.5,0.5"), 1);
    img.setDomain(d);
    const std::string path = dir.file("direct.gif");
    ASSERT_EQ(ImageFile().write(path.c_str(), img), 1); // type from the name
    EXPECT_EQ(pilRGB(path), header(img) + rgbBytes(img));
    Image back;
    ASSERT_EQ(ImageFile().read(path.c_str(), back), 1);
    ASSERT_TRUE(back.hasDomain());
    EXPECT_TRUE(DomainVal::compare(back.getDomain(), d));
}

TEST(GifFile, ReaderDecodesAnotherEncodersFiles) {
    ScratchDir dir;
    // PIL writes its own LZW stream; a local colour table and interlacing are read too.
    const RunResult r =
        run("/usr/bin/python3 -c \"from PIL import Image; import random; random.seed(3); "
            "im=Image.new('P',(97,61)); im.putpalette([i*3%256 for i in range(768)]); "
            "im.putdata([random.randrange(0,60) if (x//5)%3 else 7 for x in range(97*61)]); "
            "im.save('" +
            dir.file("pil.gif") +
            "'); "
            "im.save('" +
            dir.file("pil_i.gif") +
            "', interlace=1); "
            "im.convert('RGB').save('" +
            dir.file("pil.ppm") + "')\"");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string ppm = readFile(dir.file("pil.ppm"));
    const std::string rgb = ppm.substr(ppm.size() - 97 * 61 * 3);
    for (const char* name : {"pil.gif", "pil_i.gif"}) {
        Image img;
        ASSERT_EQ(ImageFile().read(dir.file(name).c_str(), img), 1) << name;
        EXPECT_EQ(img.getWidth(), 97);
        EXPECT_EQ(img.getHeight(), 61);
        EXPECT_STREQ(img.getInfo(), "GIF");
        EXPECT_TRUE(rgbBytes(img) == rgb) << name;
    }
}

TEST(GifFile, DamagedFilesFailCleanly) {
    Image img = mappedPicture(40, 30, 20);
    const std::vector<uint8_t> good = encoded(img);
    Image out;
    // Every truncation before the last data block fails; none reads out of bounds.
    const size_t last_data = good.size() - 2;
    captureErr([&] {
        for (size_t n = 0; n < good.size(); ++n) {
            const int ok = GifFile::decode(good.data(), static_cast<long>(n), out);
            if (n < last_data - 1) {
                EXPECT_EQ(ok, 0) << n;
            }
        }
    });
    EXPECT_EQ(GifFile::decode(good.data(), static_cast<long>(good.size()) - 1, out), 1);

    // Absurd sizes are refused before anything is allocated.
    std::vector<uint8_t> huge = good;
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;
    const size_t d = descriptor(huge);
    huge[d + 5] = huge[d + 6] = huge[d + 7] = huge[d + 8] = 0xFF;
    std::string err =
        captureErr([&] { EXPECT_EQ(GifFile::decode(huge.data(), huge.size(), out), 0); });
    EXPECT_NE(err.find("65535x65535"), std::string::npos);
    EXPECT_FALSE(out.validData());

    // A size within bounds that the few data bytes cannot fill.
    std::vector<uint8_t> big = good;
    big[6] = big[8] = big[d + 5] = big[d + 7] = 0x40; // 8000 x 8000
    big[7] = big[9] = big[d + 6] = big[d + 8] = 0x1F;
    err = captureErr([&] { EXPECT_EQ(GifFile::decode(big.data(), big.size(), out), 0); });
    EXPECT_EQ(err, "GIF_read: image data too short for 8000x8000\n");

    // A screen of 4000 x 4000 for the 40 x 30 image: a damaged header, refused before the
    // screen is filled; one of 320 x 200 is kept, with the image in its corner.
    for (const auto& [w, h, ok] : {std::tuple<int, int, int>{4000, 4000, 0}, {320, 200, 1}}) {
        std::vector<uint8_t> wide = good;
        wide[6] = static_cast<uint8_t>(w & 0xFF);
        wide[7] = static_cast<uint8_t>(w >> 8);
        wide[8] = static_cast<uint8_t>(h & 0xFF);
        wide[9] = static_cast<uint8_t>(h >> 8);
        err = captureErr([&] { EXPECT_EQ(GifFile::decode(wide.data(), wide.size(), out), ok); });
        EXPECT_EQ(out.getWidth() == w && out.getHeight() == h, ok == 1) << w;
        EXPECT_EQ(err.find("far larger than its image") != std::string::npos, ok == 0) << err;
    }

    // A corrupt code stream: codes beyond the table.
    std::vector<uint8_t> lzw = good;
    std::fill(lzw.begin() + d + 12, lzw.begin() + d + 40, 0xFF);
    err = captureErr([&] { EXPECT_EQ(GifFile::decode(lzw.data(), lzw.size(), out), 0); });
    EXPECT_EQ(err, "GIF_read: corrupt image data\n");

    // Random damage anywhere: any result, but no crash (checked under the sanitizers).
    uint32_t s = 99;
    captureErr([&] {
        for (int k = 0; k < 400; ++k) {
            std::vector<uint8_t> m = good;
            for (int j = 0; j < 4; ++j) {
                s = s * 1664525u + 1013904223u;
                m[6 + (s >> 8) % (m.size() - 6)] = static_cast<uint8_t>(s >> 24);
            }
            GifFile::decode(m.data(), m.size(), out);
        }
    });
}

TEST(GifFile, FileLevelFailures) {
    ScratchDir dir;
    dir.write("not.gif", "PNG?-this is not a picture");
    Image img;
    std::string err =
        captureErr([&] { EXPECT_EQ(ImageFile().read(dir.file("not.gif").c_str(), img), 0); });
    EXPECT_EQ(err, "GIF_read: Not a GIF file\n");
    EXPECT_EQ(ImageFile().read(dir.file("missing.gif").c_str(), img), 0);
    GifFile g;
    EXPECT_EQ(g.read(img), 0); // not open
    ASSERT_EQ(g.open(dir.file("w.gif").c_str(), 1), 1);
    EXPECT_EQ(g.read(img), 0); // open for writing
    Image empty;
    EXPECT_EQ(g.write(empty), 0);
    g.close();
}

// The suite's image format: hand-made files of every form, written and read back, damaged
// files; and the format detection of the image file layer.
#include "HYX/Domain.h"
#include "HYX/Image.h"
#include "HYX/ImageFile.h"
#include "HYX/ImgHyxFile.h"

#include "ImageTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

using namespace HYX;
using namespace testutil;

namespace {

constexpr float EPS = 1e-3f; // domain values are printed and read with 6 decimals

// A zlib stream holding data as one stored (uncompressed) deflate block, made by hand.
std::string storedZlib(const std::string& data) {
    std::string z = "\x78\x01";
    z += '\x01'; // last block, stored
    const size_t n = data.size();
    z += static_cast<char>(n & 0xFF);
    z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xFF);
    z += static_cast<char>((~n >> 8) & 0xFF);
    z += data;
    uint32_t a = 1, b = 0;
    for (unsigned char c : data) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    const uint32_t adler = (b << 16) | a;
    for (int k = 3; k >= 0; --k) z += static_cast<char>((adler >> (8 * k)) & 0xFF);
    return z;
}

std::string ramp(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((i * 7) % 251);
    return s;
}

int readImg(const std::string& path, Image& img) { return ImageFile().read(path.c_str(), img); }

} // namespace

TEST(ImgHyxFile, HandMadeCompressedFileGivesPixelsDateTitleAndDomain) {
    ScratchDir dir;
    const std::string pixels = ramp(15);
    dir.write("sat.img", "HYXIMG4Z\n12Z  4 DEC 2026\nVisible satellite\n"
                         "LL 30 -110 50 -90 5 3\n" +
                             storedZlib(pixels));
    Image img;
    ASSERT_EQ(readImg(dir.file("sat.img"), img), 1);
    // Width, height, depth, colour type, source, version; then the pixel rows.
    EXPECT_EQ(std::vector<int>({img.getWidth(), img.getHeight(), img.getDepth(), img.getColorType(),
                                img.getSource(), img.getVersion()}),
              std::vector<int>({5, 3, 8, Image::MAPPED, 1, 4}));
    EXPECT_EQ(pixelBytes(img), pixels);
    EXPECT_STREQ(img.getDatim(), "12Z  4 DEC 2026");
    EXPECT_EQ(img.getDate().getYear(), 2026);
    EXPECT_STREQ(img.getInfo(), "Visible satellite");
    // Corners 30N 110W and 50N 90W over 5 x 3 pixels: centre 40N 100W, 5 by 10 degrees.
    const Domain& d = img.getDomain();
    EXPECT_EQ(d.proj, Domain::LATLON);
    EXPECT_EQ(std::make_pair(d.nx, d.ny), std::make_pair(5, 3));
    EXPECT_NEAR(d.clat, 40.0f, EPS);
    EXPECT_NEAR(d.clon, -100.0f, EPS);
    EXPECT_NEAR(d.dx, 5.0f, EPS);
    EXPECT_NEAR(d.dy, 10.0f, EPS);
    // The pixel at 50N 110W is the upper-left one.
    EXPECT_EQ(img.getPixel(EarthPoint(50, -110)), static_cast<unsigned char>(pixels[0]));
}

TEST(ImgHyxFile, PlainFilesTablesAndSeparatePixelFiles) {
    ScratchDir dir;
    // Version 3, no placement, raw pixels.
    dir.write("plain.img", "HYXIMG\n\nno date\nNONE\n4 2\n" + ramp(8));
    Image img;
    ASSERT_EQ(readImg(dir.file("plain.img"), img), 1);
    EXPECT_EQ(img.getVersion(), 3);
    EXPECT_EQ(img.getWidth(), 4);
    EXPECT_FALSE(img.hasDomain());
    EXPECT_EQ(pixelBytes(img), ramp(8));

    // Data values (big-endian floats), real deflate data made by zlib itself.
    std::string table;
    for (int i = 0; i < 256; ++i) {
        const float v = -50.0f + 0.5f * i;
        uint32_t u;
        std::memcpy(&u, &v, 4);
        for (int k = 3; k >= 0; --k) table += static_cast<char>((u >> (8 * k)) & 0xFF);
    }
    dir.write("head", "HYXIMG4ZV\n#202612041200\nTemperature\nll,40,-100,30,20,1,1\n" + table);
    dir.write("make.py", "import zlib,sys; sys.stdout.buffer.write(zlib.compress(bytes((i*13)%256"
                         " for i in range(600)), 9))");
    const RunResult r = run("cd " + shellQuote(dir.path()) +
                            " && /usr/bin/python3 make.py > z && cat head z > vals.img");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(readImg(dir.file("vals.img"), img), 1);
    EXPECT_EQ(img.getColorType(), Image::VALUES);
    EXPECT_EQ(img.getWidth(), 30);
    EXPECT_EQ(img.getVal(29, 19), static_cast<uint32_t>((599 * 13) % 256));
    EXPECT_FLOAT_EQ(img.getValue(1, 0), -50.0f + 0.5f * 13); // pixel value 13
    EXPECT_EQ(img.getDate().getMonth(), 12);                 // "#YYYYMMDDHHNN" date text
    EXPECT_EQ(img.getDomain().proj, Domain::LATLON);

    // Pixels in a separate file named after the header, found beside it.
    dir.write("pix.dat", ramp(6));
    dir.write("sep.img", "HYXIMG4*\n\nseparate\n3 2\npix.dat\n");
    ASSERT_EQ(readImg(dir.file("sep.img"), img), 1);
    EXPECT_EQ(pixelBytes(img), ramp(6));
    dir.write("lost.img", "HYXIMG4*\n\nseparate\n3 2\nnowhere.dat\n");
    std::string err = captureErr([&] { EXPECT_EQ(readImg(dir.file("lost.img"), img), 0); });
    EXPECT_NE(err.find("nowhere.dat"), std::string::npos);
}

TEST(ImgHyxFile, PlacementLines) {
    File f;
    Domain d;
    int nx, ny;
    // A single Lambert value gives the standard parallels 30 and 60.
    ASSERT_EQ(ImgHyxFile::decodePlacement("LC:-95 30 -110 45 -80 9 9", f, d, nx, ny), 1);
    EXPECT_EQ(std::make_pair(nx, d.nx), std::make_pair(9, 9));
    EXPECT_EQ(d.proj, Domain::LAMB);
    EXPECT_NEAR(d.plon, -95, EPS);
    EXPECT_TRUE(d.param[0] == 30 && d.param[1] == 60) << d.param[0] << " " << d.param[1];
    EXPECT_EQ(ImgHyxFile::decodePlacement("LL 30 -110 50", f, d, nx, ny), 0);
    EXPECT_EQ(ImgHyxFile::decodePlacement("12 34", f, d, nx, ny), 1);
    EXPECT_EQ(nx, 12);
    EXPECT_FALSE(d.isSet());
    EXPECT_EQ(ImgHyxFile::decodePlacement("two words", f, d, nx, ny), 0);
    EXPECT_EQ(ImgHyxFile::decodePlacement("", f, d, nx, ny), 0);
}

TEST(ImgHyxFile, WrittenFilesReadBack) {
    ScratchDir dir;
    Image img = mappedPicture(31, 17, 60);
    img.setInfo("Round trip");
    img.setDatim("00Z  5 DEC 2026");
    Domain d;
    ASSERT_EQ(d.set("ll,40,-100,31,17,0.25,0.25"), 1);
    img.setDomain(d);
    for (int type : {ImageFile::IMG, ImageFile::IMGZ}) {
        const std::string path = dir.file(type == ImageFile::IMG ? "a.img" : "a.imgz");
        ASSERT_EQ(ImageFile().write(path.c_str(), img), 1);
        const std::string text = readFile(path);
        EXPECT_EQ(text.substr(0, 8), type == ImageFile::IMG ? "HYXIMG4\n" : "HYXIMG4Z");
        Image back;
        ASSERT_EQ(readImg(path, back), 1);
        EXPECT_STREQ(back.getInfo(), "Round trip");
        EXPECT_TRUE(DomainVal::compare(back.getDomain(), d));
        EXPECT_TRUE(pixelBytes(back) == pixelBytes(img));
    }
}

TEST(ImgHyxFile, DamagedFilesFailCleanly) {
    ScratchDir dir;
    const std::string head = "HYXIMG4Z\n\ninfo\n40 30\n";
    const std::string good = head + storedZlib(ramp(1200));
    dir.write("good.img", good);
    Image img;
    ASSERT_EQ(readImg(dir.file("good.img"), img), 1);
    captureErr([&] {
        for (size_t n = 0; n < good.size() - 4; n += 5) {
            dir.write("cut.img", good.substr(0, n));
            ImageFile f;
            if (f.open(dir.file("cut.img").c_str(), 0, ImageFile::IMG)) {
                EXPECT_EQ(f.read(img), 0) << n;
            }
        }
    });
    struct Bad {
        const char* name;
        std::string content;
        const char* message;
    };
    std::string corrupt = good;
    corrupt[head.size()] = '\x12'; // not a zlib header
    const Bad bad[] = {
        {"magic.img", "HYXIMAGE\n\n\n4 4\n" + ramp(16), "not a HYXIMG file"},
        {"huge.img", "HYXIMG4\n\n\n65535 65535\n" + ramp(100), "65535x65535"},
        // Sizes within bounds whose data are far too short: refused before allocating.
        {"big.img", "HYXIMG4\n\n\n8000 8000\n" + ramp(100), "missing pixel data"},
        {"place.img", "HYXIMG4\n\n\nLL 1 2 x\n" + ramp(100), "invalid placement"},
        {"short.img", "HYXIMG4\n\n\n10 10\n" + ramp(99), "missing pixel data"},
        {"zlib.img", corrupt, "corrupt compressed pixel data"},
        {"vals.img", "HYXIMG4V\n\n\n2 2\n" + ramp(50), "truncated value table"},
        {"header.img", "HYXIMG4\nonly a date\n", "truncated header"}};
    for (const Bad& b : bad) {
        dir.write(b.name, b.content);
        const std::string err = captureErr([&] { EXPECT_EQ(readImg(dir.file(b.name), img), 0); });
        EXPECT_NE(err.find(b.message), std::string::npos) << b.name << ": " << err;
        EXPECT_FALSE(img.validData()) << b.name;
    }
    // Random damage: any result, no crash.
    uint32_t s = 7;
    captureErr([&] {
        for (int k = 0; k < 300; ++k) {
            std::string m = good;
            for (int j = 0; j < 3; ++j) {
                s = s * 1664525u + 1013904223u;
                m[(s >> 8) % m.size()] = static_cast<char>(s >> 24);
            }
            dir.write("fuzz.img", m);
            ImageFile f;
            if (f.open(dir.file("fuzz.img").c_str(), 0, ImageFile::IMG)) f.read(img);
        }
    });
}

TEST(ImageFile, TypeFromContentNameOrWord) {
    ScratchDir dir;
    dir.write("gif.dat", "GIF89a....");
    dir.write("png.dat", "\x89PNG\r\n\x1a\n..");
    dir.write("x.PNG", "nothing known");
    EXPECT_EQ(ImageFile::checkType(dir.file("gif.dat").c_str()), ImageFile::GIF);
    EXPECT_EQ(ImageFile::checkType(dir.file("png.dat").c_str()), ImageFile::PNG);
    EXPECT_EQ(ImageFile::checkType(dir.file("x.PNG").c_str()), ImageFile::PNG);
    EXPECT_EQ(ImageFile::checkType(dir.file("none.gif").c_str()), ImageFile::GIF);
    EXPECT_EQ(ImageFile::checkFilename("a/b.imgz"), ImageFile::IMGZ);
    EXPECT_EQ(ImageFile::checkFilename("dir.gif/file"), ImageFile::UNKNOWN);
    EXPECT_EQ(ImageFile::checkFilename("noext"), ImageFile::UNKNOWN);
    EXPECT_EQ(ImageFile::getType("GIF"), ImageFile::GIF);
    EXPECT_EQ(ImageFile::getType("jpeg"), ImageFile::UNKNOWN);

    ImageFile f;
    EXPECT_EQ(f.open(dir.file("out.jpg").c_str(), ImageFile::WRITE), 0);
    EXPECT_EQ(f.open(dir.file("out.dat").c_str(), ImageFile::WRITE, "tiff"), 0);
    EXPECT_EQ(f.open(dir.file("x.PNG/a.gif").c_str(), ImageFile::WRITE), 0); // not a directory
    ASSERT_EQ(f.open(dir.file("out.dat").c_str(), ImageFile::WRITE, "gif"), 1);
    Image img;
    EXPECT_EQ(f.read(img), 0); // wrong direction
    f.close();
    EXPECT_EQ(f.write(img), 0); // closed
}

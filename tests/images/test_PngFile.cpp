// PNG files: palette and RGB pictures with transparency and texts checked with pngcheck and
// PIL, the reader on PIL's files in several colour types, damaged and oversized files.
#include "HYX/Image.h"
#include "HYX/ImageFile.h"
#include "HYX/PngFile.h"

#include "ImageTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <string>

using namespace HYX;
using namespace testutil;

namespace {

int writePng(const std::string& path, Image& img, bool index = false) {
    ImageFile f;
    if (!f.open(path.c_str(), ImageFile::WRITE, "png")) return 0;
    f.getPng().setIndex(index);
    f.getPng().setComment("made by a test");
    const int ok = f.write(img);
    f.close();
    return ok;
}

bool contains(const std::string& s, const std::string& part) {
    return s.find(part) != std::string::npos;
}

} // namespace

TEST(PngFile, PalettePicturesCarryTheirTransparentIndexAndTexts) {
    ScratchDir dir;
    Image img = mappedPicture(70, 33, 12);
    img.setTransColor(4);
    img.setInfo("Potential temperature");
    img.setDatim("12Z  4 DEC 2026");
    Domain d;
    ASSERT_EQ(d.set("ll,40,-100,70,33,0.5,0.5"), 1);
    img.setDomain(d);
    const std::string path = dir.file("pal.png");
    ASSERT_EQ(writePng(path, img), 1);

    const RunResult v = run("pngcheck -v " + shellQuote(path));
    EXPECT_EQ(v.status, 0) << v.out;
    for (const char* text :
         {"No errors detected", "8-bit palette", "chunk tRNS", "12 palette entries"})
        EXPECT_TRUE(contains(v.out, text)) << text << "\n" << v.out;
    const RunResult t = run("pngcheck -t " + shellQuote(path));
    for (const char* text : {"Title:", "HYX Graphic", "Software:", "Creation Time:", "Date/Time:",
                             "12Z  4 DEC 2026", "Information:", "Potential temperature",
                             "Plot Domain:", "latlon", "Comment:", "made by a test"})
        EXPECT_TRUE(contains(t.out, text)) << text << "\n" << t.out;

    EXPECT_EQ(pilRGB(path), header(img) + rgbBytes(img));
    EXPECT_EQ(pilInfo(path, "im.mode"), "'P'\n");
    EXPECT_EQ(pilInfo(path, "im.info.get('transparency')"), "4\n");

    Image back;
    ASSERT_EQ(ImageFile().read(path.c_str(), back), 1);
    EXPECT_EQ(back.getColorType(), Image::MAPPED);
    EXPECT_EQ(back.getNumColors(), 12);
    EXPECT_EQ(back.getTransColor(), 4);
    EXPECT_TRUE(rgbBytes(back) == rgbBytes(img));
    EXPECT_STREQ(back.getInfo(), "Potential temperature");
    EXPECT_STREQ(back.getDatim(), "12Z  4 DEC 2026");
    EXPECT_EQ(back.getDate().getHour(), 12); // the date text is decoded too
    EXPECT_EQ(back.getDate().getDay(), 4);
    ASSERT_TRUE(back.hasDomain());
    EXPECT_TRUE(DomainVal::compare(back.getDomain(), d));
}

TEST(PngFile, DirectPicturesAreRgbWithATransparentColour) {
    ScratchDir dir;
    Image img = directPicture(64, 48, 32, [](int x, int y) {
        return x == 3 && y == 3 ? 0x102030u : (x * 4u) << 16 | (y * 5u) << 8 | ((x ^ y) & 0xFFu);
    });
    img.setTransColor(0x102030);
    const std::string path = dir.file("rgb.png");
    ASSERT_EQ(writePng(path, img), 1);
    const RunResult v = run("pngcheck -v " + shellQuote(path));
    EXPECT_EQ(v.status, 0) << v.out;
    EXPECT_TRUE(contains(v.out, "RGB") && contains(v.out, "chunk tRNS")) << v.out;
    EXPECT_EQ(pilRGB(path), header(img) + rgbBytes(img));
    EXPECT_EQ(pilInfo(path, "im.info.get('transparency')"), "(16, 32, 48)\n");

    Image back;
    ASSERT_EQ(ImageFile().read(path.c_str(), back), 1);
    EXPECT_EQ(back.getColorType(), Image::DIRECT);
    EXPECT_EQ(back.getTransColor(), 0x102030);
    EXPECT_TRUE(back.isPixelTrans(3, 3));
    EXPECT_TRUE(rgbBytes(back) == rgbBytes(img));

    // With the index option the same picture becomes a palette PNG of the same colours
    // when it has few enough of them.
    Image few = directPicture(10, 10, 24, [](int x, int) { return x < 5 ? 0xFF8000u : 0x0080FFu; });
    const std::string ipath = dir.file("idx.png");
    ASSERT_EQ(writePng(ipath, few, true), 1);
    EXPECT_EQ(pilInfo(ipath, "im.mode"), "'P'\n");
    EXPECT_EQ(pilRGB(ipath), header(few) + rgbBytes(few));
}

TEST(PngFile, ReaderTakesOtherColourTypesAndInterlacing) {
    ScratchDir dir;
    const std::string py =
        "from PIL import Image; import random; random.seed(5); d='" + dir.path() +
        "/'\n"
        "rgba=Image.new('RGBA',(45,31)); rgba.putdata([(random.randrange(256),"
        "random.randrange(256),x%256,random.randrange(256)) for x in range(45*31)])\n"
        "rgba.save(d+'rgba.png'); rgba.save(d+'adam7.png', interlace=1)\n"
        "g=Image.new('L',(33,20)); g.putdata([random.randrange(256) for x in range(660)]); "
        "g.save(d+'grey.png')\n"
        "b=Image.new('1',(29,9)); b.putdata([random.randrange(2)*255 for x in range(29*9)]); "
        "b.save(d+'bits.png')\n"
        "p=Image.new('P',(19,7)); p.putpalette([i*5%256 for i in range(48)]); "
        "p.putdata([random.randrange(16) for x in range(133)]); p.save(d+'p4.png', bits=4)\n";
    dir.write("make.py", py);
    const RunResult r = run("/usr/bin/python3 " + shellQuote(dir.file("make.py")));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name : {"rgba.png", "adam7.png", "grey.png", "bits.png", "p4.png"}) {
        SCOPED_TRACE(name);
        Image img;
        ASSERT_EQ(ImageFile().read(dir.file(name).c_str(), img), 1);
        EXPECT_EQ(header(img) + rgbBytes(img), pilRGB(dir.file(name)));
    }
}

TEST(PngFile, DamagedAndOversizedFilesFailCleanly) {
    ScratchDir dir;
    Image img = mappedPicture(40, 40, 30);
    const std::string path = dir.file("good.png");
    ASSERT_EQ(writePng(path, img), 1);
    const std::string good = readFile(path);
    Image out;

    dir.write("sig.png", "\x89PNX" + good.substr(4));
    ImageFile f;
    ASSERT_EQ(f.open(dir.file("sig.png").c_str(), 0, "png"), 1);
    std::string err = captureErr([&] { EXPECT_EQ(f.read(out), 0); });
    EXPECT_EQ(err, "Not a PNG file\n");
    f.close();

    // Truncated anywhere: a clean failure.
    captureErr([&] {
        for (size_t n = 0; n + 12 < good.size(); n += 7) {
            dir.write("cut.png", good.substr(0, n));
            EXPECT_EQ(ImageFile().read(dir.file("cut.png").c_str(), out), 0) << n;
        }
    });

    // A correct header claiming 65535 x 65535, and a damaged compressed stream, both with
    // valid checksums so that only the content is wrong.
    const std::string py =
        "import zlib, struct; d='" + dir.path() +
        "/'\n"
        "def chunk(t, b): return struct.pack('>I', len(b)) + t + b + "
        "struct.pack('>I', zlib.crc32(t + b) & 0xffffffff)\n"
        "sig=b'\\x89PNG\\r\\n\\x1a\\n'\n"
        "raw=zlib.compress(b'\\x00' * 100)\n"
        "open(d+'huge.png','wb').write(sig + chunk(b'IHDR', struct.pack('>IIBBBBB', 65535,"
        " 65535, 8, 2, 0, 0, 0)) + chunk(b'IDAT', raw) + chunk(b'IEND', b''))\n"
        "open(d+'big.png','wb').write(sig + chunk(b'IHDR', struct.pack('>IIBBBBB', 8000,"
        " 8000, 8, 2, 0, 0, 0)) + chunk(b'IDAT', raw) + chunk(b'IEND', b''))\n"
        "bad=bytearray(zlib.compress(bytes(range(256)) * 40)); bad[10:30]=b'\\xff'*20\n"
        "open(d+'zlib.png','wb').write(sig + chunk(b'IHDR', struct.pack('>IIBBBBB', 80, 40,"
        " 8, 0, 0, 0, 0)) + chunk(b'IDAT', bytes(bad)) + chunk(b'IEND', b''))\n";
    dir.write("bad.py", py);
    const RunResult r = run("/usr/bin/python3 " + shellQuote(dir.file("bad.py")));
    ASSERT_EQ(r.status, 0) << r.err;
    err = captureErr([&] { EXPECT_EQ(ImageFile().read(dir.file("huge.png").c_str(), out), 0); });
    EXPECT_TRUE(contains(err, "65535x65535")) << err;
    EXPECT_FALSE(out.validData());
    err = captureErr([&] { EXPECT_EQ(ImageFile().read(dir.file("big.png").c_str(), out), 0); });
    EXPECT_TRUE(contains(err, "too short for 8000x8000")) << err;
    captureErr([&] { EXPECT_EQ(ImageFile().read(dir.file("zlib.png").c_str(), out), 0); });
    EXPECT_FALSE(out.validData());
}

// One picture saved as GIF and as PNG decodes, with netpbm's own decoders, to the same
// pixels: components between two byte steps (0.5 is 127.5) are truncated by both writers.
TEST(PngFile, GifAndPngOfOnePictureDecodeToTheSamePixels) {
    ScratchDir dir;
    Image mapped;
    mapped.set(6, 2, 8);
    mapped.allocData();
    const float shades[][3] = {{0.5f, 0.25f, 0.75f},
                               {1 / 3.0f, 2 / 3.0f, 0.999f},
                               {0.1f, 0.2f, 0.3f},
                               {0.002f, 0.5f, 1.0f}};
    mapped.allocColors(4);
    for (int i = 0; i < 4; ++i) mapped.setColor(i, shades[i][0], shades[i][1], shades[i][2]);
    for (int x = 0; x < 6; ++x) {
        mapped.setPixel(x, 0, x % 4);
        mapped.setPixel(x, 1, (x + 1) % 4);
    }
    // 127, 63, 191 | 85, 170, 254 | 25, 51, 76 | 0, 127, 255: the first row's start.
    const std::string want = std::string("\x7F\x3F\xBF\x55\xAA\xFE\x19\x33\x4C\x00\x7F\xFF", 12);
    Image direct =
        directPicture(5, 3, 24, [](int x, int y) { return x * 0x30507u + y * 0x0A0000u; });
    for (Image* img : {&mapped, &direct}) {
        const std::string gif = dir.file("p.gif"), png = dir.file("p.png");
        ASSERT_EQ(ImageFile().write(gif.c_str(), ImageFile::GIF, *img), 1);
        ASSERT_EQ(writePng(png, *img), 1);
        const RunResult g = run("giftopnm " + shellQuote(gif));
        const RunResult p = run("pngtopnm " + shellQuote(png));
        ASSERT_EQ(g.status, 0) << g.err;
        ASSERT_EQ(p.status, 0) << p.err;
        EXPECT_TRUE(g.out == p.out);
        Ppm decoded;
        ASSERT_TRUE(decoded.read(p.out));
        if (img == &mapped)
            EXPECT_EQ(decoded.data.substr(0, 12), want);
        else
            EXPECT_EQ(decoded.data, rgbBytes(direct));
    }
}

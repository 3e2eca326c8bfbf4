// Faults that fuzzing found, each checked where a plain assertion states the behaviour; the
// minimised inputs are under regressions/.
#include "HYX/DateTool.h"
#include "HYX/File.h"
#include "HYX/GifFile.h"
#include "HYX/Image.h"
#include "HYX/ImageFile.h"
#include "HYX/PngFile.h"
#include "HYX/UpaBufrFile.h"
#include "HYX/UpaData.h"
#include "HYX/UpaLevel.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"

#include "TestUtil.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <gtest/gtest.h>
#include <unistd.h>
#include <utility>

using namespace HYX;

TEST(FuzzFindings, MinutesOfHugeHourCountsAreCutNotOverflowed) {
    EXPECT_EQ(DateTool::getMinutes("2:30"), 150);
    EXPECT_EQ(DateTool::getMinutes("-02:45"), -165);
    EXPECT_EQ(DateTool::getMinutes("99999999:30"), INT_MAX);
    EXPECT_EQ(DateTool::getMinutes("-99999999"), INT_MIN);
}

TEST(FuzzFindings, LevelsOfOnePressureMergeInOnePassKeepingTheirRoles) {
    UpaData d;
    // 850 hPa three times (the first added keeps its values, the others fill its gaps), then
    // 700 hPa; the surface is the last 850 level, the tropopause the 700 one.
    d.addLevel(UpaLevel(850, 1500, 10, Const::FMISS, Const::FMISS, Const::FMISS));
    d.addLevel(UpaLevel(700, 3000, 0, -5, 270, 20));
    d.addLevel(UpaLevel(850, 1400, 12, 5, Const::FMISS, Const::FMISS));
    d.addLevel(UpaLevel(850, Const::FMISS, Const::FMISS, Const::FMISS, 180, 10));
    d.setSfc(3);
    d.setTrop(1);
    d.sortPres();
    ASSERT_EQ(d.getNum(), 2);
    EXPECT_EQ(d.getPres(0), 850);
    EXPECT_EQ(d.getHght(0), 1500);
    EXPECT_EQ(d.getTemp(0), 10);
    EXPECT_EQ(d.getDewp(0), 5);
    EXPECT_EQ(d.getDir(0), 180);
    EXPECT_EQ(d.getSfc(), 0);
    EXPECT_EQ(d.getTrop(), 1);
    EXPECT_EQ(d.getMaxWnd(), Const::MISS);
    EXPECT_EQ(d.getPres(1), 700);
    EXPECT_FALSE(d.validPres(2));
}

TEST(FuzzFindings, PixelFileNameFromAnImageIsNeverRun) {
    testutil::ScratchDir dir;
    const std::string mark = dir.file("ran");
    dir.write("pipe.img", "HYXIMG4*\n\nseparate\n3 2\n|touch " + mark + "\n");
    Image img;
    std::string err = testutil::captureErr(
        [&] { EXPECT_EQ(ImageFile().read(dir.file("pipe.img").c_str(), img), 0); });
    EXPECT_NE(access(mark.c_str(), F_OK), 0);
    EXPECT_NE(err.find("pipe.img: refused pixel file name |touch"), std::string::npos) << err;
    // A pipe the program opens itself still works.
    File f(("|echo piped > " + mark).c_str(), "w");
    ASSERT_TRUE(f.isOpen());
    f.close();
    EXPECT_EQ(testutil::readFile(mark), "piped\n");
}

TEST(FuzzFindings, PngChunkLengthIsNotAllocatedBeforeItIsChecked) {
    // Signature and IHDR of 1 x 1, then a tEXt chunk that claims 0x7ffffff0 bytes; and the
    // same IHDR followed only by the length and name of a zTXt chunk claiming 0x6e000017.
    const std::string ihdr("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x00\0\0\0"
                           "\x3a\x7e\x9b\x55",
                           33);
    const std::string pngs[] = {ihdr + std::string("\x7f\xff\xff\xf0tEXtabcdef", 14),
                                ihdr + std::string("\x6e\x00\x00\x17zTXt", 8)};
    testutil::ScratchDir dir;
    for (const std::string& png : pngs) {
        dir.write("big.png", png);
        const auto t0 = std::chrono::steady_clock::now();
        PngFile f;
        ASSERT_EQ(f.open(dir.file("big.png").c_str(), 0), 1);
        Image img;
        EXPECT_EQ(f.read(img), 0) << png.size();
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(1)) << png.size();
    }
}

TEST(FuzzFindings, GifWithAnEmptyApplicationExtensionIsRead) {
    // A 1 x 1 GIF with an application extension of no sub-blocks before its image.
    const uint8_t gif[] = {'G',  'I',  'F',  '8', '9', 'a', 1,    0,    1,    0,    0x80, 0,   0,
                           0xFF, 0xFF, 0xFF, 0,   0,   0,   0x21, 0xFF, 0x00, 0x2C, 0,    0,   0,
                           0,    1,    0,    1,   0,   0,   2,    2,    0x44, 0x01, 0,    0x3B};
    Image img;
    ASSERT_EQ(GifFile::decode(gif, sizeof gif, img), 1);
    EXPECT_EQ(img.getWidth(), 1);
    EXPECT_EQ(img.getHeight(), 1);
}

TEST(FuzzFindings, WindsEvery1000FeetStayWithinTheAtmosphere) {
    // Winds claimed a million kilometres up: the 1000 ft levels end at 400,000 ft; above a
    // surface that high there are none.
    for (const bool highSurface : {false, true}) {
        UpaData d;
        d.addLevel(UpaLevel(1000, highSurface ? 1.0e9f : 0, 20, 10, 180, 5));
        d.addLevel(UpaLevel(10, 2.0e9f, Const::FMISS, Const::FMISS, 270, 50));
        d.setSfc(0);
        UpaRawinData raw;
        ASSERT_EQ(UpaTool::unmerge(d, raw), 1);
        int n = 0;
        float lowest = 1.0e30f, highest = 0;
        for (int i = 0; i < raw.getNumWnd(); ++i) {
            const UpaLevel w = raw.getWnd(i);
            if (w.getType() != UpaLevel::WND) continue;
            ++n;
            lowest = std::min(lowest, w.h);
            highest = std::max(highest, w.h);
        }
        if (highSurface) {
            EXPECT_EQ(n, 0);
        } else {
            EXPECT_GT(n, 10);
            EXPECT_EQ(lowest, 1000.0f);
            EXPECT_LE(highest, 400000.0f);
        }
    }
}

TEST(FuzzFindings, BufrMessageThatTheDecoderDiesOrHangsOnIsLeftOut) {
    // ecCodes dies unpacking the one damaged message and never finishes the other; a good
    // message after either is still read.
    const std::string good = testutil::readFile(std::string(HYX_TEST_DATA) + "/bufr_temp_101.bufr");
    ASSERT_FALSE(good.empty());
    UpaBufrFile::setTimeLimit(1.0);
    for (const auto& [file, warning] :
         {std::pair<const char*, const char*>{"eccodes-unpack-segv.bufr", "cannot be unpacked"},
          {"eccodes-unpack-hang.bufr", "takes too long to unpack"}}) {
        const std::string bad =
            testutil::readFile(std::string(HYX_FUZZ_DIR) + "/regressions/bufr/" + file);
        ASSERT_FALSE(bad.empty()) << file;
        const std::string both = bad + good;
        UpaBufrFile r;
        UpaData d;
        int n = 0;
        const std::string err = testutil::captureErr([&] {
            r.setText(both.data(), both.size(), "both.bufr");
            while (r.read(d) == 1) ++n;
        });
        EXPECT_EQ(n, 1) << file;
        EXPECT_EQ(d.getWmo(), 70219) << file;
        EXPECT_NE(err.find(std::string("both.bufr: message 1 ") + warning), std::string::npos)
            << err;
    }
    // A limit that is no whole number of milliseconds: the wait for the helper rounds it up,
    // so the message that never finishes is still said to take too long.
    const std::string hang = testutil::readFile(std::string(HYX_FUZZ_DIR) +
                                                "/regressions/bufr/eccodes-unpack-hang.bufr");
    for (double limit : {0.0309, 0.0509, 0.1009}) {
        UpaBufrFile::setTimeLimit(limit);
        UpaBufrFile r;
        UpaData d;
        const std::string err = testutil::captureErr([&] {
            r.setText(hang.data(), hang.size(), "hang.bufr");
            while (r.read(d) == 1) {
            }
        });
        EXPECT_NE(err.find("hang.bufr: message 1 takes too long to unpack"), std::string::npos)
            << limit << ": " << err;
    }
    UpaBufrFile::setTimeLimit(5.0);
}

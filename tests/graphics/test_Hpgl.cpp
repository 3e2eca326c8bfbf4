// The HP-GL/2 device: exact command lines for small drawings, PCL wrapping and rotation,
// append and unwritable output; a whole cross section checked for its command structure and
// rendered by hp2xx, an independent HP-GL interpreter. Its parameters are checked with the
// other page devices' (test_Postscript.cpp).
#include "HYX/Graph.h"
#include "HYX/Hpgl.h"
#include "HYX/Points.h"
#include "HYX/String.h"
#include "HYX/XSectStyle.h"

#include "TestUtil.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace HYX;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

Points polyline(std::initializer_list<std::pair<float, float>> pts) {
    Points p;
    for (const auto& xy : pts) p.add(xy.first, xy.second);
    return p;
}

// Opens a device on file with extra parameters, runs f, closes; returns the file's text.
template <class F> std::string produce(const std::string& param, F f) {
    Hpgl dev;
    dev.setParam(param.c_str());
    testutil::captureOut([&] { EXPECT_EQ(dev.open(), 1); });
    f(dev);
    dev.close();
    return testutil::readFile(param.substr(0, param.find(',')));
}

// A binary PBM ("P4") as hp2xx writes it: bits set for black, rows padded to bytes.
struct Pbm {
    bool read(const std::string& bytes) {
        int n = 0;
        if (std::sscanf(bytes.c_str(), "P4 %d %d%n", &w, &h, &n) != 2 || w <= 0) return false;
        data = bytes.substr(n + 1);
        return data.size() >= static_cast<size_t>((w + 7) / 8) * h;
    }
    int countBlack(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                n += (static_cast<unsigned char>(data[y * ((w + 7) / 8) + x / 8]) >> (7 - x % 8)) &
                     1;
        return n;
    }
    int w = 0, h = 0;
    std::string data;
};

} // namespace

TEST(Hpgl, HeaderPrimitivesAndTrailer) {
    testutil::ScratchDir tmp;
    const std::string text = produce(tmp.file("a.hpgl"), [](Hpgl& d) {
        Points five = polyline({{10, 20}, {30.4f, 40.6f}, {50, 60}, {70, 80}, {90, 100}});
        d.drawLine(Device::LINE, five);
        d.setLineStyle(Device::LINE, 3);
        d.setLineWidth(Device::LINE, 2.5f);
        d.drawLine(Device::LINE, 1, 2, 3, 4);
        d.setLineWidth(Device::MARK, 0); // stored as given: the thinnest pen
        d.drawLine(Device::MARK, 5, 6, 7, 8);
        d.setLineWidth(Device::TEXT, 3);
        d.drawLine(Device::TEXT, 9, 9, 9, 12);
        Points tri = polyline({{0, 0}, {100, 0}, {50, 80}});
        d.drawFill(Device::FILL, tri);
        d.setClip(58, 29, 706, 547);
    });
    const std::vector<std::string> want = {
        "IN;SP1;PA;", "PW1.0;SV;LT;",
        // A five-point polyline: attribute lines, then one PU and four PD on one line.
        "SV;", "PW1.0;", "LT;", "PU10,20;PD30,41;PD50,60;PD70,80;PD90,100;",
        // Style 3 and width 2.5 apply to lines only.
        "SV;", "PW2.5;", "LT5,8,1;", "PU1,2;PD3,4;",
        // Marks and text: solid, their own widths.
        "SV;", "LT;", "PW0.0;", "PU5,6;PD7,8;", "SV;", "LT;", "PW3.0;", "PU9,9;PD9,12;", "SV;",
        "PU0,0;PM0;PD100,0;PD50,80;PM1;PM2;FP;", "IW 58,29,706,547;", "SP;PG;"};
    EXPECT_EQ(lines(text), want);

    // Base width and the other dash styles; an unknown style writes no line type.
    const std::string styled = produce(tmp.file("b.hpgl") + ",lwidth=2", [](Hpgl& d) {
        for (int s : {2, 4, 5, 9}) {
            d.setLineStyle(Device::LINE, s);
            d.drawLine(Device::LINE, 0, 0, 1, 1);
        }
    });
    EXPECT_EQ(
        styled,
        std::string("IN;SP1;PA;\nPW2.0;SV;LT;\nSV;\nPW2.0;\nLT2,5,1;\nPU0,0;PD1,1;\nSV;\nPW2.0;\n"
                    "LT6,10,1;\nPU0,0;PD1,1;\nSV;\nPW2.0;\nLT2,1,1;\nPU0,0;PD1,1;\nSV;\n"
                    "PW2.0;\nPU0,0;PD1,1;\nSP;PG;\n"));
}

TEST(Hpgl, PclWrapperAndRotation) {
    testutil::ScratchDir tmp;
    const std::string f = tmp.file("p.hpgl");
    const std::string pcl = produce(f + ",pcl", [](Hpgl&) {});
    EXPECT_EQ(pcl, "\033E\033%1B\033&l1O\nIN;SP1;PA;\nPW1.0;SV;LT;\nSP;PG;\n\033%0A\033E");
    // LaserJet mode rotates once for the printer, portrait once more.
    EXPECT_EQ(produce(f + ",lj,port", [](Hpgl&) {}),
              "\033E\033%1B\033&l1O\nIN;SP1;PA;\nRO90;\nRO90;\nPW1.0;SV;LT;\nSP;PG;\n"
              "\033%0A\033E");
    EXPECT_EQ(produce(f + ",pcl,nopcl,rot=180", [](Hpgl&) {}),
              "IN;SP1;PA;\nRO180;\nPW1.0;SV;LT;\nSP;PG;\n");
    // Only quarter turns are written.
    EXPECT_EQ(produce(f + ",rot=45", [](Hpgl&) {}), "IN;SP1;PA;\nPW1.0;SV;LT;\nSP;PG;\n");
}

TEST(Hpgl, AppendAndUnwritableOutput) {
    testutil::ScratchDir tmp;
    const std::string f = tmp.file("ap.hpgl");
    tmp.write("ap.hpgl", "IN;SP1;PA;\n");
    Hpgl app;
    app.setParam(("+" + f).c_str());
    EXPECT_EQ(testutil::captureOut([&] { EXPECT_EQ(app.open(), 1); }), "Appending to: " + f + "\n");
    app.drawLine(Device::LINE, 1, 1, 2, 2);
    app.close();
    // The page set-up and the page end belong to the first picture only.
    EXPECT_EQ(testutil::readFile(f), "IN;SP1;PA;\nPW1.0;SV;LT;\nSV;\nPW1.0;\nLT;\nPU1,1;PD2,2;\n");

    // A directory that cannot be made: a plain file stands in its place.
    tmp.write("plain", "");
    Graph g("hpgl", (tmp.file("plain") + "/x.hpgl,pcl").c_str());
    EXPECT_EQ(g.getDeviceType(), Graph::HPGL);
    int ok = -1;
    const std::string err =
        testutil::captureErr([&] { testutil::captureOut([&] { ok = g.open(); }); });
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(err, "Hpgl: unable to output to file\n");
    EXPECT_FALSE(g.isOpen());
}

TEST(Hpgl, CrossSectionIsWellFormedAndRendersWhereDrawn) {
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("xs.hpgl");
    const auto r =
        testutil::runVsect({"-fp", HYX_SHARE, "-df", tmp.path(), "-dp", HYX_SOURCE_DIR "/data",
                            "-id", "KGJT,KDNR,KLBF", "-va", "isentropes", "-de",
                            "h," + file + ",letter", HYX_SOURCE_DIR "/data/1999050400_upa.cvt"},
                           tmp.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Creating: " + file), std::string::npos);
    const std::string text = testutil::readFile(file);
    const float W = 10.5f * 1015, H = 8 * 1015;
    // The frame fills the height of the program's area and, at a width-to-height ratio of
    // 1.25, is centred in its width.
    const Rect a = XSectStyle::program("").getArea();
    const float fh = a.getHeight() * H, fw = 1.25f * fh;
    ASSERT_LT(fw, a.getWidth() * W);
    const float fx0 = (a.xmin + a.xmax) / 2 * W - fw / 2, fx1 = fx0 + fw;
    const float fy0 = a.ymin * H, fy1 = a.ymax * H;

    // Split into commands: known mnemonics only, IN first, SP and PG last.
    std::vector<std::string> cmds;
    std::istringstream in(text);
    for (std::string c; std::getline(in, c, ';');) {
        if (!c.empty() && c[0] == '\n') c.erase(0, 1);
        if (!c.empty()) cmds.push_back(c);
    }
    ASSERT_GT(cmds.size(), 500u);
    EXPECT_EQ(std::vector<std::string>(cmds.begin(), cmds.begin() + 3),
              (std::vector<std::string>{"IN", "SP1", "PA"}));
    EXPECT_EQ(cmds[cmds.size() - 2], "SP");
    EXPECT_EQ(cmds.back(), "PG");
    const std::string known = " IN SP PA PW SV LT IW PU PD PM FP PG ";
    for (const std::string& c : cmds)
        ASSERT_NE(known.find(" " + c.substr(0, 2) + " "), std::string::npos) << c;

    // hp2xx maps the page (0..W, 0..H) onto 792 x 605 pixels at 75 dpi, y up.
    const std::string pbm = tmp.file("xs.pbm");
    const auto rr = testutil::run("hp2xx -q -m pbm -x 0 -X 10657.5 -y 0 -Y 8120 -w 266.7 "
                                  "-h 203.2 -d 75 -f " +
                                  pbm + " " + file);
    ASSERT_EQ(rr.status, 0) << rr.out << rr.err;
    Pbm img;
    ASSERT_TRUE(img.read(testutil::readFile(pbm)));
    ASSERT_GE(img.w, 790);
    ASSERT_GE(img.h, 600);
    const auto px = [&](float x) { return static_cast<int>(x / W * (img.w - 1)); };
    const auto py = [&](float y) { return static_cast<int>((1 - y / H) * (img.h - 1)); };
    // The frame's left edge is a black column; the margin right of the frame stays blank.
    const int left = px(fx0), right = px(fx1), top = py(fy1), bottom = py(fy0);
    EXPECT_GT(img.countBlack(left - 1, top, left + 1, bottom), (bottom - top) * 9 / 10);
    EXPECT_EQ(img.countBlack(right + 6, top, img.w - 1, bottom), 0);
    // Inside the frame the isentropes and grid cover part of the area, not all of it.
    const int inside = img.countBlack(left + 5, top + 5, right - 5, bottom - 5);
    const int area = (right - left - 10) * (bottom - top - 10);
    EXPECT_GT(inside, area / 20);
    EXPECT_LT(inside, area * 3 / 4);
}

// The metafile device: exact header, records and trailer, attribute records only on change,
// append and unwritable output. Its parameters are checked with the other page devices'
// (test_Postscript.cpp); whole cross sections are pinned by the golden drawings.
#include "HYX/Graph.h"
#include "HYX/Image.h"
#include "HYX/MetaFile.h"
#include "HYX/Point.h"
#include "HYX/Points.h"

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <regex>
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

const std::regex DATE_LINE("#CreationDate: \\d\\d [A-Z]{3} \\d\\d  \\d\\d:\\d\\d:\\d\\dZ");

} // namespace

TEST(MetaFile, HeaderRecordsAndTrailer) {
    testutil::ScratchDir tmp;
    const std::string f = tmp.file("a.meta");
    MetaFile m;
    m.setParam(("meta," + f + ",sz=640x480").c_str());
    m.setTitle("Isentropes");
    EXPECT_EQ(testutil::captureOut([&] { EXPECT_EQ(m.open(), 1); }), "Creating: " + f + "\n");
    m.setColor(Device::LINE, MetaFile::WHITE); // already in force: no record
    m.setColor(Device::LINE, 0xFF0000);
    m.setColor(Device::LINE, 0xFF0000);
    m.setColor(Device::MARK, 1);
    m.setColor(Device::FILL, 2);
    m.setColor(Device::TEXT, 3);
    m.setLineWidth(Device::LINE, 0); // becomes 1.0, already in force
    m.setLineWidth(Device::LINE, 2.5f);
    m.setLineWidth(Device::LINE, -1);
    m.setLineWidth(Device::MARK, 2);
    m.setLineWidth(Device::TEXT, 3);
    m.setLineStyle(Device::MARK, 4); // styles and patterns belong to one kind each
    m.setLineStyle(Device::LINE, 4);
    m.setFillStyle(Device::LINE, 2);
    m.setFillStyle(Device::FILL, 2);
    m.drawLine(Device::LINE, 1, 2, 3.5f, 4.25f);
    Points three;
    three.add(0, 0);
    three.add(10, 20);
    three.add(30, 40);
    m.drawLine(Device::MARK, three);
    m.drawFill(Device::FILL, three);
    m.setFont("helvetica-12");
    m.setTextAlign(2, 3);
    Point at(5, 6);
    m.drawText(at, "KDNR");
    m.setImageAlign(1, 3);
    m.setClip(10, 20, 110, 220);
    m.message("frame 1");
    Image img; // 2 x 1: red, then a transparent pixel value
    img.set(2, 1, 8);
    img.allocData();
    img.allocColors(2);
    img.setColor(0, 1, 0, 0);
    img.setColor(1, 0, 0, 1);
    img.setPixel(1, 0, 1);
    m.drawImage(img, 1, 7, 8);
    m.close();

    const std::string text = testutil::readFile(f);
    const size_t date = text.find("#CreationDate: "), end = text.find('\n', date);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(text.substr(0, date),
              "HYXMETA2\n#Title: HYX Graphics Display\n#Creator: HYX MetaFile Processor-2.0\n");
    EXPECT_TRUE(std::regex_match(text.substr(date, end - date), DATE_LINE));
    EXPECT_EQ(text.substr(end + 1),
              "#Begin plot\nSZ 640.000000 480.000000\n#HYX Plot: Isentropes\nLCLR 16711680\n"
              "MCLR 1\nFCLR 2\nTCLR 3\nLWID 2.50\nLWID 1.00\nMWID 2.00\nTWID 3.00\nLSTY 4\n"
              "FSTY 2\nL 2 1.000000,2.000000 3.500000,4.250000\n"
              "L 3 0.000000,0.000000 10.000000,20.000000 30.000000,40.000000 \n"
              "F 3 0.000000,0.000000 10.000000,20.000000 30.000000,40.000000 \n"
              "FONT helvetica-12\nTALIGN 2 3\nT 5.000000,6.000000 KDNR\nIALIGN 1 3\n"
              "CL 10.000000 20.000000 110.000000 220.000000\n#frame 1\n"
              "I 2 1 7.000000,8.000000\nFF0000------\n#End of plot\n");
    const Rect c = m.getClip();
    EXPECT_EQ(std::vector<float>({c.xmin, c.ymin, c.xmax, c.ymax}),
              std::vector<float>({10, 20, 110, 220}));
}

TEST(MetaFile, AppendAndUnwritableOutput) {
    testutil::ScratchDir tmp;
    const std::string f = tmp.file("ap.meta");
    tmp.write("ap.meta", "earlier\n");
    MetaFile app;
    app.setParam((",+" + f).c_str());
    EXPECT_EQ(testutil::captureOut([&] { EXPECT_EQ(app.open(), 1); }), "Appending to: " + f + "\n");
    app.close();
    const auto l = lines(testutil::readFile(f));
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[0], "earlier");
    EXPECT_EQ(l[1], "HYXMETA2"); // every picture carries its own header
    EXPECT_EQ(l[8], "#End of plot");

    tmp.write("plain", "");
    Graph g("meta", (",file=" + tmp.file("plain") + "/x.meta").c_str());
    EXPECT_EQ(g.getDeviceType(), Graph::META);
    int ok = -1;
    const std::string err =
        testutil::captureErr([&] { testutil::captureOut([&] { ok = g.open(); }); });
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(err, "MetaFile: unable to output to file\n");
}

// Variable texts (VarSpec), variable lists and their expansion through variable files.
#include "HYX/Hyx.h"
#include "HYX/String.h"
#include "HYX/VarFile.h"
#include "HYX/VarFileData.h"
#include "HYX/VarList.h"
#include "HYX/VarName.h"
#include "HYX/VarSpec.h"

#include "TestUtil.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

using namespace HYX;

namespace {

// A database directory with a small variable table, a unit table and a variable file.
class VarFiles : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Hyx::getDatabasePath();
        Hyx::setDatabasePath(dir.path().c_str());
        dir.write("variable.lup", "11 temp Temperature\n13 theta Potential Temperature\n"
                                  "17 dewp Dew Point Temperature\n52 rhum Relative Humidity\n"
                                  "250 wbarb Wind Barbs\n33 uwnd U Wind\n34 vwnd V Wind\n");
        dir.write("units.lup", "C F *1.8+32\nF C *0.5555556-17.777778\nK C -273.15\n"
                               "C K +273.15\n");
    }
    void TearDown() override { Hyx::setDatabasePath(saved.c_str()); }
    void varFile(const std::string& text) { dir.write("test.var", text); }
    // Expands text through test.var; stderr is kept in err.
    int expand(const char* text, VarList& vl) {
        vl.setFile("test.var");
        int r = 0;
        err = testutil::captureErr([&] { r = VarList::process(text, vl); });
        return r;
    }
    std::string names(const VarList& vl) {
        std::string s;
        for (int i = 0; i < vl.getNum(); ++i) s += std::string(i ? "," : "") + vl.getName(i);
        return s;
    }
    // Every item as name[units]{format}@layer, the parts left out when empty or 0.
    std::string items(const VarList& vl) {
        std::string s;
        for (int i = 0; i < vl.getNum(); ++i) {
            s += std::string(i ? "," : "") + vl.getName(i);
            if (*vl.getUnits(i)) s += std::string("[") + vl.getUnits(i) + "]";
            if (*vl.getFormat(i)) s += std::string("{") + vl.getFormat(i) + "}";
            if (vl.getLayer(i)) s += "@" + std::to_string(vl.getLayer(i));
        }
        return s;
    }
    static std::string printed(const VarSpec& s) {
        return testutil::captureOut([&] { s.print(); });
    }
    testutil::ScratchDir dir;
    std::string saved;
    std::string err;
};

} // namespace

TEST_F(VarFiles, VariableTexts) {
    VarSpec s;
    ASSERT_EQ(s.decode("500mb:temp[C]"), 1);
    EXPECT_EQ(printed(s), "VarSpec:   F:   L: 500mb  V: temp[C]  Format: \n");
    EXPECT_EQ(s.getType(), VarSpec::PARAM);
    EXPECT_STREQ(s.getVar().getName(), "Temperature");
    EXPECT_EQ(s.getVarCode(), 11);
    EXPECT_EQ(s.getPlot(), VarSpec::PLOT);
    String text;
    s.toString(text);
    EXPECT_STREQ(text.get(), ":500mb:temp");

    // Units after a fourth colon; the text without units reads back.
    ASSERT_EQ(s.decode("12hr:850mb:temp:F"), 1);
    EXPECT_EQ(printed(s), "VarSpec:   F: 12hr  L: 850mb  V: temp[F]  Format: \n");
    s.toString(text);
    EXPECT_STREQ(text.get(), "12hr:850mb:temp");
    VarSpec back;
    back.decode(text.get());
    EXPECT_EQ(printed(back), "VarSpec:   F: 12hr  L: 850mb  V: temp  Format: \n");

    ASSERT_EQ(s.decode("::+theta[K,ln,value]"), 1);
    EXPECT_TRUE(s.isAbs());
    EXPECT_STREQ(s.getVarAbbr(), "theta");
    EXPECT_STREQ(s.getFormat(), "ln,value");
    EXPECT_EQ(s.getPlot(), VarSpec::DATA) << "the last plot option wins";

    ASSERT_EQ(s.decode("prob[<273]temp[%,cf]"), 1);
    EXPECT_EQ(printed(s), "VarSpec:   F:   L:   V: prob[<273]temp[%]  Format: cf\n");
    EXPECT_STREQ(s.getVar().getName(), "Temperature");
    EXPECT_EQ(s.getPlot(), VarSpec::CONTOUR);

    ASSERT_EQ(s.decode("map[co=gray,wi=2]"), 1);
    EXPECT_EQ(s.getPlot(), VarSpec::MAP);
    ASSERT_EQ(s.decode("11[C]"), 1);
    EXPECT_STREQ(s.getVarAbbr(), "temp") << "an index is named by the table";

    err = testutil::captureErr([&] { EXPECT_EQ(s.decode("a:b:c:d:e"), 0); });
    EXPECT_EQ(err, "VarSpec: invalid, wrong number of colons\n");
    err = testutil::captureErr([&] { EXPECT_EQ(s.decode("temp[C,cf"), 1); });
    EXPECT_EQ(err, "VarSpec: missing ]\n");
    EXPECT_STREQ(s.getFormat(), "cf");

    // Plot kinds of the options.
    s.decode("temp");
    const std::pair<const char*, int> kinds[] = {{"ln", 3},    {"strm", 4}, {"cplot", 1},
                                                 {"value", 2}, {"ndln", 3}, {"in=2,cf,vect", 4},
                                                 {"bogus", 4}};
    for (const auto& [opt, kind] : kinds) {
        s.setFormat(opt);
        EXPECT_EQ(s.getPlot(), kind) << opt;
    }
}

TEST_F(VarFiles, UpdateTakesWhatTheMaskSays) {
    VarSpec a, b;
    a.decode("12hr:500mb:temp[C,ln]");
    b.decode("850mb:theta[K,cf]");
    VarSpec c = a;
    c.update(b); // b has no forecast time
    EXPECT_EQ(printed(c), "VarSpec:   F: 12hr  L: 850mb  V: theta[K]  Format: cf\n");
    VarSpec plain;
    plain.decode("dewp");
    c = a;
    c.update(plain);
    EXPECT_EQ(c.getPlot(), VarSpec::CONTOUR) << "a plot kind of 1 is not taken";
}

TEST_F(VarFiles, ListSyntax) {
    VarList vl;
    ASSERT_EQ(vl.decode("temp[C,cf]"), 1);
    EXPECT_EQ(items(vl), "temp[C]{cf}");
    EXPECT_TRUE(vl.isContour(0) && vl.isFillContour(0) && vl.isParam(0));
    ASSERT_EQ(vl.decode("temp, dewp"), 1);
    EXPECT_EQ(items(vl), "temp,dewp");
    EXPECT_TRUE(vl.isPlot(1));
    EXPECT_FALSE(vl.isContour(1));
    ASSERT_EQ(vl.decode("wnd<uwnd,vwnd>"), 1);
    EXPECT_EQ(items(vl), "wnd,uwnd@1,vwnd@1");
    EXPECT_TRUE(vl.isVect(0) && vl.isParam(2));
    // A comma inside square brackets does not split.
    ASSERT_EQ(vl.decode("temp[C,ln,in=2],theta[K,cf]"), 1);
    EXPECT_EQ(items(vl), "temp[C]{ln,in=2},theta[K]{cf}");
    EXPECT_FALSE(vl.isFillContour(0));
    ASSERT_EQ(vl.decode("temp[C,pl=cf,cf]"), 1);
    EXPECT_TRUE(vl.isFillContour(0));
    // Options after a group apply to the group and reach every member.
    ASSERT_EQ(vl.decode("grp{temp,dewp[F]}[C,ln],rhum"), 1);
    EXPECT_EQ(items(vl), "grp[C]{ln},temp{,ln}@1,dewp[F]{,ln}@1,rhum");
    EXPECT_TRUE(vl.isGroup(0) && vl.isContour(1));
    ASSERT_EQ(vl.decode("f(a,g{b,c<d,e>})"), 1);
    EXPECT_EQ(items(vl), "f,a@1,g@1,b@2,c@2,d@3,e@3");
    EXPECT_TRUE(vl.isFunction(0));
    // Backslashes vanish from tokens.
    ASSERT_EQ(vl.decode("te\\mp"), 1);
    EXPECT_STREQ(vl.getName(0), "temp");

    // Index guards.
    vl.decode("temp,dewp");
    EXPECT_STREQ(vl.getName(5), "");
    EXPECT_EQ(vl.getType(-1), 0);
    EXPECT_EQ(vl.setDataIndex(1, 4), 1); // shown in the listing below
    EXPECT_EQ(vl.setPlot(9, 3), 0);
    EXPECT_EQ(testutil::captureOut([&] { vl.print(); }),
              "VarList-num: 2 title: \n"
              "[0] Lyr: 0 [-] VarSpec:   F:   L:   V: temp  Format: \n"
              "[1] Lyr: 0 [4] VarSpec:   F:   L:   V: dewp  Format: \n");
}

TEST_F(VarFiles, SyntaxErrorsGiveNoList) {
    VarList vl;
    const std::pair<const char*, const char*> bad[] = {
        {"a}b", "VarList::decode error, unexpected } at }b\n"},
        {"temp]", "VarList::decode error, unexpected ] at ]\n"},
        {"g{a)", "VarList::decode error, unexpected ) at )\n"}};
    for (const auto& b : bad) {
        err = testutil::captureErr([&] { EXPECT_EQ(vl.decode(b.first), 0) << b.first; });
        EXPECT_EQ(err, b.second);
        EXPECT_EQ(vl.getNum(), 0) << b.first;
    }
    EXPECT_EQ(vl.decode(""), 0);
    EXPECT_EQ(vl.decode(nullptr), 0);
    // An open delimiter at the end: the items before it stay, the last token does not.
    err = testutil::captureErr([&] { EXPECT_EQ(vl.decode("temp,g{dewp"), 1); });
    EXPECT_EQ(vl.getNum(), 2);
    EXPECT_NE(err.find("missing closing }"), std::string::npos);
    // Nesting beyond the stack.
    err = testutil::captureErr(
        [&] { EXPECT_EQ(vl.decode("a{b{c{d{e{f{g{h{i{j{k{l}}}}}}}}}}}"), 0); });
    EXPECT_FALSE(err.empty());
}

TEST_F(VarFiles, VariableFileEntriesAndContinuations) {
    varFile("# comment\n"
            "   isen   Isentropes_and_winds  theta[K,ln],\\\n"
            "                                wbarb   \n"
            "\n"
            "isen   Second_entry  temp\n"
            "averyveryverylongname_over_twenty Long temp\n"
            "empty  Nothing\n");
    VarFile f(dir.file("test.var").c_str());
    ASSERT_TRUE(f.isOpen());
    VarFileData d;
    ASSERT_EQ(f.read(d), 1);
    EXPECT_STREQ(d.getName(), "isen");
    EXPECT_STREQ(d.getDesc(), "Isentropes and wind") << "19 characters kept";
    EXPECT_STREQ(d.getData(), "theta[K,ln],wbarb");
    ASSERT_EQ(f.read(d), 1);
    EXPECT_STREQ(d.getData(), "temp");
    ASSERT_EQ(f.read(d), 1);
    EXPECT_EQ(std::string(d.getName()).size(), VarFileData::name_len - 1u);
    ASSERT_EQ(f.read(d), 1);
    EXPECT_STREQ(d.getData(), "");
    EXPECT_EQ(f.read(d), -1);

    VarList vl;
    vl.setFile("test.var");
    String def;
    EXPECT_EQ(vl.searchFile("isen", def), 1);
    EXPECT_STREQ(def.get(), "theta[K,ln],wbarb") << "the first entry wins";
    EXPECT_EQ(vl.searchFile("ISEN", def), 0) << "names are exact";
    EXPECT_EQ(vl.searchFile("averyveryverylongna", def), 0) << "a cut name matches nothing";
    vl.setFile("missing.var");
    EXPECT_EQ(vl.searchFile("isen", def), 0);
}

TEST_F(VarFiles, ExpansionThroughTheVariableFile) {
    varFile("isen     Isentropes   theta[K,ln],wbarb\n"
            "standard Standard     isen\n"
            "td       Dew_point    dewp[C,ln]\n"
            "temp     Self         temp[C]\n"
            "vec      Wind         wnd<uwnd,vwnd>[m/s,vect]\n"
            "grp      Group        g{temp[C],dewp[C],wbarb}[C,ln]\n");
    VarList vl;
    ASSERT_EQ(expand("isen", vl), 1) << "the text itself is a name";
    EXPECT_EQ(items(vl), "theta[K]{ln},wbarb");
    EXPECT_TRUE(vl.isContour(0));
    ASSERT_EQ(expand("standard", vl), 1);
    EXPECT_EQ(names(vl), "theta,wbarb") << "definitions naming definitions";

    // The user's units stay when they convert, the user's options come last.
    ASSERT_EQ(expand("td[F,cf]", vl), 1);
    EXPECT_EQ(items(vl), "dewp[F]{ln,cf}");
    EXPECT_TRUE(vl.isFillContour(0));
    ASSERT_EQ(expand("td[knots]", vl), 1);
    EXPECT_STREQ(vl.getUnits(0), "C") << "knots do not convert to C";
    ASSERT_EQ(expand("td[,value]", vl), 1);
    EXPECT_TRUE(vl.isData(0)) << "a plot option of the user wins";

    // A name defined as itself, and a '+' name, are not expanded again.
    ASSERT_EQ(expand("temp", vl), 1);
    EXPECT_EQ(items(vl), "temp[C]");
    ASSERT_EQ(expand("+isen,+td", vl), 1);
    EXPECT_EQ(names(vl), "isen,td");

    // Several items take the place of one; layers add up; later items move back.
    // The user's options reach the first item, not the items beside it.
    ASSERT_EQ(expand("rhum,isen[,in=5],dewp", vl), 1);
    EXPECT_EQ(items(vl), "rhum,theta[K]{ln,in=5},wbarb,dewp");
    ASSERT_EQ(expand("vec", vl), 1);
    EXPECT_EQ(names(vl), "wnd,uwnd,vwnd");
    EXPECT_TRUE(vl.isVector(0));
    EXPECT_EQ(vl.getLayer(1), 1);
    ASSERT_EQ(expand("grp[F]", vl), 1);
    EXPECT_EQ(names(vl), "g,temp,dewp,wbarb");
    EXPECT_STREQ(vl.getUnits(1), "F") << "deeper items keep convertible units";
    EXPECT_STREQ(vl.getUnits(2), "F");
    EXPECT_STREQ(vl.getUnits(3), "") << "no units to convert";
    EXPECT_STREQ(vl.getFormat(3), ",ln") << "the group's options reach its members";
    EXPECT_EQ(err, "");

    // A name used in several places: each place has its own units and options, as if it
    // were expanded alone.
    std::string alone;
    for (const char* one : {"td[F]", "td[K,cf]", "td", "grp[F]", "grp"}) {
        ASSERT_EQ(expand(one, vl), 1);
        alone += (alone.empty() ? "" : ",") + items(vl);
    }
    ASSERT_EQ(expand("td[F],td[K,cf],td,grp[F],grp", vl), 1);
    EXPECT_EQ(items(vl), alone);
    EXPECT_EQ(vl.getNum(), 11);
    EXPECT_EQ(err, "");

    // No file: names stay as given.
    VarList plain;
    ASSERT_EQ(VarList::process("isen,dewp", plain), 1);
    EXPECT_EQ(names(plain), "isen,dewp");
    EXPECT_EQ(VarList::process("a}b", plain), 0);
}

TEST_F(VarFiles, RunawayDefinitionsAndTextsStop) {
    // Definitions that name each other in a circle stop after ten passes.
    varFile("a A b[C]\nb B c\nc C a\n"
            "two Two two2,two2\ntwo2 Two two,two\n");
    VarList vl;
    ASSERT_EQ(expand("a", vl), 1);
    EXPECT_EQ(vl.getNum(), 1);
    EXPECT_STREQ(vl.getName(0), "c") << "the text's definition b, then ten passes";
    EXPECT_STREQ(vl.getUnits(0), "C") << "units survive every pass";
    EXPECT_EQ(err, "");
    ASSERT_EQ(expand("two", vl), 1);
    // Doubling stops at the limit: the items expanded so far stand in their places, the rest
    // as they were.
    ASSERT_EQ(vl.getNum(), VarList::max_items);
    int twos = 0;
    for (int i = 0; i < vl.getNum(); ++i) twos += std::string(vl.getName(i)) == "two" ? 1 : 0;
    EXPECT_EQ(twos, 2 * 488) << "488 of 512 items expanded, two for one";
    EXPECT_NE(err.find("expansion stopped"), std::string::npos);

    // A definition that cannot be read is reported once, however often it is named.
    varFile("bad Bad x}y\n");
    ASSERT_EQ(expand("bad,bad[C],bad", vl), 1);
    EXPECT_EQ(names(vl), "bad,bad,bad");
    EXPECT_EQ(err.find("unexpected }"), err.rfind("unexpected }"));
    EXPECT_NE(err.find("unexpected }"), std::string::npos);

    // A list text of 100,000 characters.
    std::string text;
    while (text.size() < 100000) text += "temp[C,ln],";
    err = testutil::captureErr([&] { EXPECT_EQ(vl.decode(text.c_str()), 1); });
    EXPECT_NE(err.find("left out"), std::string::npos);
    EXPECT_EQ(vl.getNum(), VarList::max_items);

    // A garbled variable file: the entry after the garbage is still found.
    std::string bin;
    for (int i = 0; i < 20000; ++i) bin += static_cast<char>((i * 31 + 7) % 256);
    varFile(bin + "\n" + std::string(5000, 'y') + "\\\n" + std::string(100000, '\\') +
            "\nz Z temp\n");
    testutil::captureErr([&] { EXPECT_EQ(VarList::process("z", vl), 1); });
}

// The installed lists expand into variables that the variable table names.
TEST(VarListDatabase, InstalledListsExpandToKnownVariables) {
    const std::string saved = Hyx::getDatabasePath();
    Hyx::setDatabasePath(HYX_SHARE);
    std::ifstream f(std::string(HYX_SHARE) + "/vsect.var");
    ASSERT_TRUE(f.good());
    std::string line;
    int n = 0;
    while (std::getline(f, line)) {
        std::istringstream ws(line);
        std::string name;
        if (!(ws >> name) || name[0] == '#' || line[0] == ' ') continue;
        VarList vl;
        vl.setFile("vsect.var");
        std::string err =
            testutil::captureErr([&] { ASSERT_EQ(VarList::process(name.c_str(), vl), 1); });
        EXPECT_EQ(err, "") << name;
        ASSERT_GT(vl.getNum(), 0) << name;
        for (int i = 0; i < vl.getNum(); ++i) {
            VarSpec s;
            vl.get(i, s);
            EXPECT_TRUE(s.isAbs()) << name;
            EXPECT_STRNE(s.getVar().getName(), "") << name << ": " << vl.getName(i);
        }
        ++n;
    }
    EXPECT_GE(n, 15);
    VarList vl;
    vl.setFile("vsect.var");
    ASSERT_EQ(VarList::process("moisture", vl), 1);
    EXPECT_EQ(vl.getNum(), 3) << "the continued line";
    EXPECT_TRUE(vl.isFillContour(0));
    EXPECT_STREQ(vl.getName(2), "wbarb");
    Hyx::setDatabasePath(saved.c_str());
}

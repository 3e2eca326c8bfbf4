// Variable names from the variable table, labels, and variable texts.
#include "HYX/Hyx.h"
#include "HYX/String.h"
#include "HYX/VarName.h"
#include "HYX/Variable.h"

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <string>

using namespace HYX;

namespace {

class VarTable : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Hyx::getDatabasePath();
        Hyx::setDatabasePath(dir.path().c_str());
        dir.write("variable.lup", "# comment line\n"
                                  "#11 temp Not this\n"
                                  "11 temp Temperature\n"
                                  "13,2,3 theta   Potential Temperature   \n"
                                  "7 hght\n"
                                  "11 tmp2 Second row with index 11\n");
    }
    void TearDown() override { Hyx::setDatabasePath(saved.c_str()); }
    testutil::ScratchDir dir;
    std::string saved;
};

template <class T> std::string printed(const T& x) {
    return testutil::captureOut([&] { x.print(); });
}

} // namespace

TEST_F(VarTable, RowsAreFoundByAbbreviationOrIndex) {
    VarName vn;
    Variable v;
    EXPECT_EQ(vn.get("temp", v), 1);
    EXPECT_EQ(printed(v), "0 - 11 (temp) - Temperature\n");
    EXPECT_EQ(vn.get("theta", v), 1);
    EXPECT_EQ(printed(v), "0 - 13 (theta) - Potential Temperature\n") << "blanks trimmed";
    EXPECT_EQ(vn.get("TEMP", v), 0) << "the table is searched exactly";
    EXPECT_STREQ(v.getAbbr(), "TEMP");
    EXPECT_EQ(v.getInd(), Const::MISS);
    EXPECT_EQ(vn.get(11, v), 1);
    EXPECT_STREQ(v.getAbbr(), "temp") << "the first row with the index wins";
    EXPECT_EQ(vn.get(99, v), 0);
    EXPECT_STREQ(v.getAbbr(), "");

    // A row holds up to five indices.
    VarNameItem item;
    EXPECT_EQ(vn.get("theta", item), 1);
    EXPECT_EQ(printed(item), "a: theta n: Potential Temperature i: 13[2,3]\n");
    EXPECT_EQ(vn.get(7, item), 1);
    EXPECT_STREQ(item.getName(), "") << "a row without a name";
}

TEST_F(VarTable, LabelsAndAMissingTable) {
    String label;
    EXPECT_EQ(VarName::makeLabel("temp", "C", label), 1);
    EXPECT_STREQ(label.get(), "Temperature [C]");
    VarName::makeLabel("bogus", "C", label);
    EXPECT_STREQ(label.get(), " [C]");
    EXPECT_STREQ(VarName::searchFile("theta").getName(), "Potential Temperature");
    EXPECT_EQ(VarName::searchFile("").getInd(), Const::MISS);

    Hyx::setDatabasePath((dir.path() + "/nowhere").c_str());
    VarName vn;
    Variable v;
    const std::string err = testutil::captureErr([&] {
        EXPECT_EQ(vn.get("temp", v), 0);
        EXPECT_EQ(vn.get("temp", v), 0);
    });
    const std::string one =
        "VarName: Unable to open file: " + dir.path() + "/nowhere/variable.lup\n";
    EXPECT_EQ(err, one + one) << "one warning per lookup";
    EXPECT_STREQ(v.getAbbr(), "temp");
    VarName::makeLabel("temp", "C", label);
    EXPECT_STREQ(label.get(), " [C]");
}

TEST_F(VarTable, GarbledTableLinesAreSkipped) {
    std::string t = std::string(3000, 'x') + " long Overlong\n";
    t += "abc\n";                                // one word
    t += "99999999999999999999 huge Overflow\n"; // index out of range
    t += "  \n\n";
    t += std::string("\x01\x02\x03 \xff\xfe bin\n");
    t += "12,x,4 temp2 Half-read index\n";
    t += "11 temp Temperature"; // no final line end
    dir.write("variable.lup", t);
    VarName vn;
    Variable v;
    for (const auto& [abbr, ind] :
         {std::pair<const char*, int>{"temp", 11}, {"huge", Const::MISS}, {"temp2", 12}}) {
        EXPECT_EQ(vn.get(abbr, v), 1) << abbr;
        EXPECT_EQ(v.getInd(), ind) << abbr;
    }
    EXPECT_EQ(vn.get("long", v), 0) << "the rest of an overlong line is not a row";
}

TEST(Variable, DecodeKindsAndTheirTexts) {
    Variable v;
    EXPECT_EQ(v.decode(""), 0);
    EXPECT_EQ(v.decode("11"), 1);
    EXPECT_EQ(v.getInd(), 11);
    EXPECT_STREQ(v.getAbbr(), "");

    struct Case {
        const char* text;
        int type;
        float val1, val2;
        const char* abbr;
        const char* code;
        const char* label;
        const char* word;
    };
    const float M = Const::FMISS;
    const Case cases[] = {
        {"temp", 0, M, M, "temp", "temp", "temp", "temp"},
        {"prob[<273]temp", 1, 273, M, "temp", "prob[<273]temp", "Prob [%] temp below 273",
         "prob[%]_temp_below_273"},
        {"prob[5-10]wspd", 5, 5, 10, "wspd", "prob[5-10]wspd", "Prob [%] wspd between 5 and 10",
         "prob[%]_wspd_between_5_and_10"},
        {"ensmean[]hght", 7, M, M, "hght", "ensmean[]hght", "Ens mean hght", "ens_mean_hght"},
        {"ens[3]temp", 6, 3, M, "temp", "ens[+3]temp", "Ens[+3] temp", "ens[+3]_temp"},
        {"ensprob[>20]wspd", 10, M, 20, "wspd", "ensprob[>20]wspd", "Ens prob [%] wspd above 20",
         "ens_prob[%]_wspd_above_20"},
        {"prob[<x]temp", 0, M, M, "prob[<x]temp", "prob[<x]temp", "prob[<x]temp", "prob[<x]temp"},
        {"ens[3temp", 0, M, M, "ens[3temp", "ens[3temp", "ens[3temp", "ens[3temp"},
    };
    for (const Case& c : cases) {
        Variable x;
        ASSERT_EQ(x.decode(c.text), 1) << c.text;
        EXPECT_EQ(x.getType(), c.type) << c.text;
        EXPECT_EQ(x.getVal1(), c.val1) << c.text;
        EXPECT_EQ(x.getVal2(), c.val2) << c.text;
        EXPECT_STREQ(x.getAbbr(), c.abbr) << c.text;
        String s;
        x.toAbbrCode(s);
        EXPECT_STREQ(s.get(), c.code) << c.text;
        x.toLabel(s);
        EXPECT_STREQ(s.get(), c.label) << c.text;
        x.toString(s);
        EXPECT_STREQ(s.get(), c.word) << c.text;
        // The code reads back into the same variable.
        Variable y;
        y.decode(c.code);
        EXPECT_EQ(y.getType(), c.type) << c.code;
        EXPECT_STREQ(y.getAbbr(), c.abbr) << c.code;
    }
    // Oversized texts are cut to their fields.
    Variable big;
    big.decode(std::string(500, 'a').c_str());
    EXPECT_EQ(std::string(big.getAbbr()), std::string(Variable::max_abbr - 1, 'a'));
    big.setUnits(std::string(100, 'u').c_str());
    EXPECT_EQ(std::string(big.getUnits()).size(), Variable::max_units - 1u);
}

TEST(VarDatabase, InstalledTableNamesEveryComputedVariable) {
    const std::string saved = Hyx::getDatabasePath();
    Hyx::setDatabasePath(HYX_SHARE);
    const char* computed[] = {"temp",  "dewp",   "dewd",  "hght",  "pres",  "theta", "thetae",
                              "vtemp", "thetav", "vpres", "mrat",  "rhum",  "shum",  "wdir",
                              "wspd",  "uwnd",   "vwnd",  "uwndg", "vwndg", "wbarb"};
    VarName vn;
    for (const char* a : computed) {
        Variable v;
        EXPECT_EQ(vn.get(a, v), 1) << a;
        EXPECT_GT(std::string(v.getName()).size(), 3u) << a;
        // Every index leads back to its own row.
        EXPECT_STREQ(VarName().get(v.getInd()), a) << a;
    }
    String label;
    VarName::makeLabel("thetae", "K", label);
    EXPECT_STREQ(label.get(), "Equivalent Potential Temperature [K]");
    Hyx::setDatabasePath(saved.c_str());
}

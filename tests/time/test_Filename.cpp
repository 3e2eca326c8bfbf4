// The input-file selector: answers, runs of files, the prompt and listings.
#include "HYX/Date.h"
#include "HYX/Filename.h"
#include "HYX/String.h"

#include "NamingFixture.h"

#include <cstdio>

using namespace HYX;

namespace {

constexpr int M = Const::MISS;

const char* const CONV = "upa      %D/%Y%m%d%12h_upa.%e     -      upa      -\n";

class FilenameTest : public NamingTest {
protected:
    void SetUp() override {
        NamingTest::SetUp();
        conv(CONV);
        // 12-hourly soundings from 00 UTC on 1 December to 12 UTC on the 4th.
        Date d(2026, 12, 1, 0, M, M);
        for (int i = 0; i < 8; ++i, d.addHours(12)) {
            String n;
            d.toText("%Y%m%d%H_upa.cvt", n);
            dataFile(n.get());
        }
        setenv("hyxcurtime", "2026120415", 1);
    }
    std::string name(const Filename& f) const { return rel(f.getName()); }
    // An answer's result and the name it selected.
    std::string check(Filename& f, const char* text) const {
        const int ok = f.checkFile(text);
        return std::to_string(ok) + " " + name(f);
    }
};

} // namespace

TEST_F(FilenameTest, RunOfSeventyTwoHoursIsSevenFilesOldestFirst) {
    Filename f("upa_cvt");
    EXPECT_EQ(f.getOffset(), 43200);
    EXPECT_STREQ(f.getType(), "upa");
    ASSERT_EQ(f.setFile("2026120412_upa.cvt"), 1);
    EXPECT_EQ(f.setNumFiles("-72"), 1);
    ASSERT_EQ(f.getNumFiles(), 7);
    ASSERT_EQ(f.setFile(1), 1);
    EXPECT_EQ(name(f), "$D/2026120200_upa.cvt");
    EXPECT_TRUE(f.exist());
    Date d;
    f.getDate(d);
    EXPECT_EQ(dateText(d), "20261202 00:XX");
    EXPECT_EQ(f.setFile(7), 0);
    EXPECT_EQ(f.setFile(-1), 0);
    EXPECT_EQ(dateText(f.getBaseDate()), "20261204 12:XX");

    // Forward from the base date, and an explicit spacing.
    f.setNumFiles("24");
    EXPECT_EQ(f.getNumFiles(), 3);
    f.setFile(2);
    EXPECT_EQ(name(f), "$D/2026120512_upa.cvt");
    EXPECT_FALSE(f.exist());
    f.setNumFiles("-72,6");
    EXPECT_EQ(f.getNumFiles(), 13);
    EXPECT_EQ(f.getOffset(), 21600);
    f.setFile(1); // 66 hours back: 18 UTC on the 1st, in the 12 UTC file
    EXPECT_EQ(name(f), "$D/2026120112_upa.cvt");
    f.setNumFiles("-6:30,0");
    EXPECT_EQ(f.getNumFiles(), 7);
    std::string err = testutil::captureErr([&] { EXPECT_EQ(f.setNumFiles("abc"), 0); });
    EXPECT_NE(err.find("not a span of hours: abc"), std::string::npos);
    EXPECT_EQ(f.setNumFiles(""), 0);
}

TEST_F(FilenameTest, AnswersSelectFiles) {
    Filename f("upa_cvt");
    EXPECT_EQ(check(f, "2026120412_upa.cvt"), "1 $D/2026120412_upa.cvt");
    EXPECT_FALSE(f.isFixed());
    EXPECT_TRUE(f.isSet());
    Date d;
    f.getDate(d);
    EXPECT_EQ(dateText(d), "20261204 12:XX");
    EXPECT_EQ(dateText(f.getBaseDate()), "20261204 12:XX");

    // A full path names the directory of later files too.
    EXPECT_EQ(check(f, "/tmp/x/2026120412_upa.cvt"), "0 /tmp/x/2026120412_upa.cvt");
    EXPECT_STREQ(f.getNameConv().getPath(), "/tmp/x");
    f.setPath("");

    EXPECT_EQ(check(f, "#2026120300"), "1 $D/2026120300_upa.cvt");
    // The file of the reference time (15 UTC -> 12 UTC), moved, and the latest file.
    EXPECT_EQ(check(f, "cu"), "1 $D/2026120412_upa.cvt");
    EXPECT_EQ(check(f, "cu=-24"), "1 $D/2026120312_upa.cvt");
    setenv("hyxcurtime", "2026120611", 1);
    EXPECT_EQ(check(f, "LA"), "1 $D/2026120412_upa.cvt");
    EXPECT_FALSE(f.isFixed());

    // Literal names.
    const std::string lit = data() + "/2026120400_upa.cvt";
    EXPECT_EQ(check(f, ("@" + lit).c_str()), "1 $D/2026120400_upa.cvt");
    EXPECT_TRUE(f.isFixed());
    EXPECT_EQ(check(f, "std"), "1 -");
    EXPECT_EQ(check(f, "large.dat"), "0 large.dat"); // begins with "la" but is a name
    EXPECT_EQ(f.checkFile("|exit 3"), 1);            // a command counts as there
    EXPECT_EQ(f.checkFile(""), 0);
    EXPECT_EQ(f.checkFile(nullptr), 0);

    // Without a template every answer is a name; a full-path template takes full paths.
    Filename none("none");
    EXPECT_EQ(check(none, "2026120412_upa.cvt"), "0 2026120412_upa.cvt");
    Filename full(("@" + data() + "/%Y%m%d%12h_upa.cvt").c_str());
    EXPECT_EQ(full.checkFile(lit.c_str()), 1);
    EXPECT_TRUE(full.isFixed());
    EXPECT_EQ(check(full, "2026120312_upa.cvt"), "1 $D/2026120312_upa.cvt");
    EXPECT_FALSE(full.isFixed());

    EXPECT_EXIT(f.checkFile("exit"), ::testing::ExitedWithCode(0), "");
}

TEST_F(FilenameTest, FileTextsAndResources) {
    Filename f("upa_cvt");
    EXPECT_EQ(f.setFile("2026120412_upa.cvt,nh=-24"), 1);
    EXPECT_EQ(f.getNumFiles(), 3);
    f.setFile(0);
    EXPECT_EQ(name(f), "$D/2026120312_upa.cvt");

    Filename list("upa_cvt");
    const std::string a = data() + "/2026120100_upa.cvt";
    EXPECT_EQ(list.setFile((a + ",2026120212_upa.cvt,none.dat").c_str()), 1);
    EXPECT_EQ(list.getNumFiles(), 3);
    EXPECT_STREQ(list.getName(2), "none.dat");
    EXPECT_EQ(list.setFile(1), 1);
    EXPECT_EQ(name(list), "$D/2026120212_upa.cvt");
    EXPECT_EQ(list.setFile(2), 1);
    EXPECT_FALSE(list.exist());
    EXPECT_EQ(list.setFile(3), 0);

    // The file of a date.
    Filename byDate("upa_cvt", Date(2026, 12, 2, 5, 30, M));
    EXPECT_EQ(name(byDate), "$D/2026120200_upa.cvt");
    EXPECT_EQ(byDate.setDate(Date(2026, 12, 9, 0, M, M)), 0);
}

TEST_F(FilenameTest, InteractivePromptAsksUpToFourTimes) {
    Hyx::putResrc("inter", "");
    // Runs the prompt with standard input read from a file of answers.
    std::string out;
    const auto prompt = [&](Filename& f, const std::string& answers) {
        tmp.write("answers.txt", answers);
        EXPECT_NE(std::freopen(tmp.file("answers.txt").c_str(), "r", stdin), nullptr);
        int ok = -1;
        out = testutil::captureOut([&] { ok = f.setFilePrompt("Enter the upper air filename: "); });
        EXPECT_NE(std::freopen("/dev/null", "r", stdin), nullptr);
        return ok;
    };
    Filename f("upa_cvt");
    EXPECT_EQ(prompt(f, "list\nnosuch.cvt\n2026120300_upa.cvt\n"), 1);
    EXPECT_EQ(name(f), "$D/2026120300_upa.cvt");
    EXPECT_EQ(out.find("List of available files:\n"), 0u) << out;
    // The listing ran twice (at the start and for "list").
    const size_t first = out.find("2026120412_upa.cvt");
    ASSERT_NE(first, std::string::npos) << out;
    EXPECT_NE(out.find("2026120412_upa.cvt", first + 1), std::string::npos) << out;
    EXPECT_NE(out.find("Enter the upper air filename: "), std::string::npos);
    EXPECT_NE(out.find("File not found: nosuch.cvt\n"), std::string::npos) << out;

    // Four failures, here by the end of input: the selection gives up.
    Filename g("upa_cvt");
    EXPECT_EQ(prompt(g, "a\nb\nc\n"), 0);
}

TEST_F(FilenameTest, ListingOfAMissingDirectoryFailsQuietly) {
    // The listing itself is seen in the prompt above.
    Filename f("upa_cvt");
    f.setPath(tmp.file("nowhere").c_str());
    int ok = -1;
    const std::string out = testutil::captureOut([&] { ok = f.listFile(); });
    EXPECT_EQ(ok, 0);
    EXPECT_NE(out.find("nowhere"), std::string::npos) << out;
}

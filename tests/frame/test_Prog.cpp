// Title line, the interactive prompt and its commands.
#include "HYX/Hyx.h"
#include "HYX/Prog.h"
#include "HYX/Resrc.h"
#include "HYX/String.h"

#include "TestUtil.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio_ext.h>
#include <string>
#include <unistd.h>

using namespace HYX;

namespace {

// Runs f with standard input reading the given text, then restores standard input.
template <class F> void withStdin(const std::string& text, F f) {
    testutil::ScratchDir dir;
    dir.write("stdin", text);
    const int saved = dup(0);
    const int fd = open(dir.file("stdin").c_str(), O_RDONLY);
    dup2(fd, 0);
    close(fd);
    __fpurge(stdin);
    clearerr(stdin);
    f();
    __fpurge(stdin);
    clearerr(stdin);
    dup2(saved, 0);
    close(saved);
}

// Keeps the program-wide store, message mask and resource path of one test away from the
// others.
class ProgTest : public ::testing::Test {
protected:
    void SetUp() override {
        mask = Hyx::getMessageMask();
        Hyx::getResrcStore().clear();
        unsetenv("hyxdefault");
    }
    void TearDown() override {
        Hyx::setMessageMask(mask);
        Hyx::getResrcStore().clear();
        unsetenv("hyxdefault");
        Hyx::setDatabasePath(nullptr);
    }
    uint32_t mask = 0;
    testutil::ScratchDir dir;
};

} // namespace

TEST_F(ProgTest, TitleLineAtPrintLevelIgnoresTheMessageLevel) {
    Hyx::setMessageLevel("error");
    EXPECT_EQ(testutil::captureOut([] { Prog::printProg("TITLE"); }), "");
    EXPECT_EQ(testutil::captureOut([] { Prog::printProg(Hyx::PRINT, "T2"); }),
              "      T2 (Ver 6.65-LINUX-X11)\n\n");
}

TEST_F(ProgTest, SetCommandStoresValuesAtRunTime) {
    EXPECT_EQ(Prog::setCommand("set message=debug"), 1);
    EXPECT_STREQ(Hyx::getResrc("message"), "debug");
    EXPECT_EQ(Hyx::getResrcType("message"), Resrc::RUN);
    // Storing "message" does not change the message level itself.
    EXPECT_EQ(Hyx::getMessageMask(), mask);

    EXPECT_EQ(Prog::setCommand("set title = = My plot"), 1);
    EXPECT_STREQ(Hyx::getResrc("title"), "My plot");
    EXPECT_EQ(Prog::setCommand("  set   device p"), 1);
    EXPECT_STREQ(Hyx::getResrc("device"), "p");
    EXPECT_EQ(Prog::setCommand("set inter"), 1);
    ASSERT_NE(Hyx::getResrc("inter"), nullptr);
    EXPECT_STREQ(Hyx::getResrc("inter"), "");
    // Names are cut to 19 characters; the rest of an over-long name is not taken as value.
    EXPECT_EQ(Prog::setCommand("set abcdefghijklmnopqrstuvwxyz=1"), 1);
    EXPECT_STREQ(Hyx::getResrc("abcdefghijklmnopqrs"), "1");
}

TEST_F(ProgTest, OtherLinesAreNotCommands) {
    // The keyword is case-sensitive and a word of its own.
    for (const char* line : {"", "SET x=1", "settle x", "exit now", "EXIT", "KDEN,KOMA"})
        EXPECT_EQ(Prog::setCommand(line), 0) << line;
    EXPECT_EQ(Prog::setCommand(nullptr), 0);
    EXPECT_EQ(Hyx::getResrcStore().getNum(), 0);
}

TEST_F(ProgTest, SetAloneListsTheStore) {
    Hyx::addResrc("prog", "vsect", Resrc::PROG);
    Hyx::addResrc("background", "red", Resrc::FILE);
    const std::string out = testutil::captureOut([] { EXPECT_EQ(Prog::setCommand("set"), 1); });
    EXPECT_EQ(out, "Set resources\nprog: vsect\nbackground (file): red\n\n");
}

TEST(ProgExit, ExitCommandEndsTheProgramWithStatusZero) {
    EXPECT_EXIT(Prog::setCommand("exit"), ::testing::ExitedWithCode(0), "");
}

TEST_F(ProgTest, PromptReturnsOnlyAnswersThatAreNotCommands) {
    String answer;
    std::string out;
    withStdin("set\nset message=debug\n  KDEN,KOMA  \t\nnext\n", [&] {
        out = testutil::captureOut([&] { EXPECT_EQ(Prog::prompt("Station? ", answer), 1); });
    });
    EXPECT_STREQ(answer.get(), "  KDEN,KOMA");
    EXPECT_STREQ(Hyx::getResrc("message"), "debug");
    // Asked three times; the first "set" listed the (then empty) store.
    EXPECT_EQ(out, "Station? Set resources\n\nStation? Station? ");

    withStdin("\n", [&] { answer = Prog::prompt("Q: "); });
    EXPECT_STREQ(answer.get(), "");
}

TEST_F(ProgTest, PromptEndsAtEndOfInputAndBoundsTheLine) {
    // A command followed by the end of input must not loop for ever.
    String answer("old");
    withStdin("set a=1", [&] { testutil::captureOut([&] { Prog::prompt("? ", answer); }); });
    EXPECT_STREQ(answer.get(), "");
    EXPECT_STREQ(Hyx::getResrc("a"), "1");

    char buf[8];
    withStdin("abcdefghijkl\n",
              [&] { testutil::captureOut([&] { Prog::prompt("? ", buf, sizeof buf); }); });
    EXPECT_STREQ(buf, "abcdef"); // size - 2 characters
    // The rest of an over-long line is dropped; the next line is the next answer.
    withStdin(std::string(1000, 'x') + "\nset b=2\n" + std::string(300, 'y') + "\n", [&] {
        testutil::captureOut([&] {
            answer = Prog::prompt("? ");
            EXPECT_EQ(answer.length(), Prog::PROMPT_SIZE - 2);
            EXPECT_EQ(answer.get()[0], 'x');
            answer = Prog::prompt("? ");
        });
    });
    EXPECT_STREQ(Hyx::getResrc("b"), "2");
    EXPECT_EQ(answer.length(), Prog::PROMPT_SIZE - 2);
    EXPECT_EQ(answer.get()[0], 'y');
}

using ReadResrcFile = ProgTest;

TEST_F(ReadResrcFile, ReadsThePathWithoutOptionLists) {
    dir.write("one.cfg", "tool.background: red\nIF night\ninst.logo: moon\nEND\ninst.icon: yes\n"
                         "*message: warn\nother.title: no\n");
    dir.write("two.cfg", "tool.background: blue\ninst.title: \"A title\"\n*file_path /db\n");
    const std::string path =
        dir.file("one.cfg") + ":" + dir.file("none") + ":" + dir.file("two.cfg");
    EXPECT_EQ(Prog::readResrcFile("tool", path.c_str()), 1);
    EXPECT_STREQ(Hyx::getResrc("background"), "blue");
    EXPECT_EQ(Hyx::getResrcType("background"), Resrc::RUN);
    EXPECT_EQ(Hyx::getResrc("logo"), nullptr);
    EXPECT_EQ(Hyx::getResrc("title"), nullptr);
    EXPECT_EQ(Hyx::getMessageMask(), 7u);
    EXPECT_STREQ(Hyx::getDatabasePath(), "/db");

    Hyx::getResrcStore().clear();
    EXPECT_EQ(Prog::readResrcFile("tool", "inst", "NIGHT", path.c_str()), 1);
    EXPECT_STREQ(Hyx::getResrc("logo"), "moon");
    EXPECT_STREQ(Hyx::getResrc("title"), "A title");
    EXPECT_EQ(Hyx::getResrc("background"), nullptr); // instance keys only

    // Without the tag the section is skipped.
    Hyx::getResrcStore().clear();
    Prog::readResrcFile("tool", "inst", nullptr, path.c_str());
    EXPECT_EQ(Hyx::getResrc("logo"), nullptr);
    EXPECT_STREQ(Hyx::getResrc("icon"), "yes");
}

TEST_F(ReadResrcFile, PathComesFromHyxdefaultAndProgramDefaultsToHyx) {
    dir.write("hyx.cfg", "hyx.color_table: my.clr\ntool.color_table: tool.clr\n");
    setenv("hyxdefault", dir.path().c_str(), 1);
    EXPECT_EQ(Prog::readResrcFile(), 1);
    EXPECT_STREQ(Hyx::getResrc("color_table"), "my.clr");
    EXPECT_EQ(Prog::readResrcFile("tool"), 1);
    EXPECT_STREQ(Hyx::getResrc("color_table"), "tool.clr");
}

TEST_F(ReadResrcFile, CurTimeSetsTheInitialTime) {
    dir.write("hyx.cfg", "tool.cur_time: #199905040000\n");
    Hyx::setInitTime(-9999);
    Prog::readResrcFile("tool", dir.path().c_str());
    // 1999-05-04 00 UTC in seconds since 1970 (date -u -d 1999-05-04 +%s).
    EXPECT_EQ(Hyx::getInitTime(), 925776000);
    Hyx::setInitTime(-9999);
}

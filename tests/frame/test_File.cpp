// Files, pipes and directory search paths.
#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/LineTool.h"
#include "HYX/OutputFile.h"
#include "HYX/String.h"

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <string>

using namespace HYX;

TEST(FileTool, AddPathPicksTheFirstExistingDirectory) {
    testutil::ScratchDir tmp;
    const std::string a = tmp.file("a"), b = tmp.file("b");
    FileTool::makeDir(a.c_str(), 0);
    FileTool::makeDir(b.c_str(), 0);
    const std::string list = a + ":" + b;
    String out;
    EXPECT_EQ(FileTool::addPath(list.c_str(), "x.cty", out), 0);
    EXPECT_EQ(std::string(out.get()), b + "/x.cty");
    tmp.write("b/x.cty", "data");
    EXPECT_EQ(FileTool::addPath(list.c_str(), "x.cty", out), 1);
    EXPECT_EQ(std::string(out.get()), b + "/x.cty");
    tmp.write("a/x.cty", "data");
    FileTool::addPath(list.c_str(), "x.cty", out);
    EXPECT_EQ(std::string(out.get()), a + "/x.cty");
    FileTool::addPath("", "x.cty", out);
    EXPECT_STREQ(out.get(), "x.cty");
    for (const char* kept : {"-", "/abs/f", "./rel", "~/f"}) {
        FileTool::addPath(list.c_str(), kept, out);
        EXPECT_STREQ(out.get(), kept);
    }
}

TEST(File, LongLinesArriveInPiecesWithTheLineFeedLast) {
    testutil::ScratchDir tmp;
    const std::string line(200, 'q');
    tmp.write("long.txt", line + "\nend\n");
    File f(tmp.file("long.txt").c_str(), "r");
    ASSERT_TRUE(f.isOpen());
    String piece(80);
    std::string joined;
    int pieces = 0;
    while (f.getLine(piece) > 0) {
        ++pieces;
        joined += piece.get();
        if (piece.getChar(-1) == '\n') break;
    }
    EXPECT_EQ(pieces, 3); // 79 + 79 + 42 characters with the line feed
    EXPECT_EQ(joined, line + "\n");
    EXPECT_GT(f.getLine(piece), 0);
    EXPECT_STREQ(piece.get(), "end\n");
    EXPECT_EQ(f.getLine(piece), 0);
}

TEST(File, WritesCreateDirectoriesAndPipesRun) {
    testutil::ScratchDir tmp;
    const std::string path = tmp.file("deep/er/out.txt");
    {
        File w(path.c_str(), File::WRITE);
        ASSERT_TRUE(w.isOpen());
        w.printf("%d\n", 42);
    }
    EXPECT_EQ(testutil::readFile(path), "42\n");

    File p("|echo hello; echo world", "r");
    ASSERT_TRUE(p.isOpen());
    char buf[32];
    EXPECT_EQ(p.getLine(buf, sizeof buf), 6);
    EXPECT_STREQ(buf, "hello\n");
    // Read to the end: closing early could kill the writer with SIGPIPE (no exit status).
    EXPECT_EQ(p.getLine(buf, sizeof buf), 6);
    EXPECT_EQ(p.getLine(buf, sizeof buf), 0);
    p.close();
    EXPECT_EQ(p.getStatus(), 0);

    File fail("|exit 3", "r");
    ASSERT_TRUE(fail.isOpen());
    EXPECT_EQ(fail.getLine(buf, sizeof buf), 0);
    fail.close();
    EXPECT_EQ(fail.getStatus(), 3);

    File missing(tmp.file("nope/none.txt").c_str(), "r");
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.getLine(buf, sizeof buf), 0);
}

TEST(OutputFile, AnOutputIsInPlaceOnlyOnceComplete) {
    testutil::ScratchDir tmp;
    const std::string path = tmp.file("page.ps");
    auto names = [&] { return testutil::run("ls -A " + tmp.path()).out; };
    {
        OutputFile out;
        ASSERT_EQ(out.open(path.c_str(), "w"), 1);
        out.printf("first\n");
        EXPECT_EQ(names().rfind(".page.ps.", 0), 0u) << names(); // only a temporary so far
        EXPECT_EQ(out.close(), 1);
    }
    EXPECT_EQ(testutil::readFile(path), "first\n");
    EXPECT_EQ(names(), "page.ps\n");
    {
        // A run that fails keeps the earlier page, and leaves no temporary.
        OutputFile out;
        ASSERT_EQ(out.open(path.c_str(), "w"), 1);
        out.printf("second\n");
    }
    EXPECT_EQ(testutil::readFile(path), "first\n");
    EXPECT_EQ(names(), "page.ps\n");
    {
        OutputFile out;
        ASSERT_EQ(out.open(path.c_str(), "a"), 1);
        out.printf("more\n");
        out.discard();
    }
    EXPECT_EQ(testutil::readFile(path), "first\n");

    // Writes that fail are found when the output is closed.
    OutputFile full;
    ASSERT_EQ(full.open("/dev/full", "w"), 1);
    full.printf("%s\n", std::string(10000, 'x').c_str());
    EXPECT_EQ(full.close(), 0);
    EXPECT_STREQ(full.getError(), "No space left on device");
}

TEST(LineTool, ALineThatNeverEndsEndsTheInput) {
    File zero("/dev/zero", "r");
    ASSERT_TRUE(zero.isOpen());
    char buf[64];
    bool cut = false;
    EXPECT_EQ(LineTool::getLine(zero, buf, sizeof buf, &cut), -1);
    EXPECT_TRUE(cut);
}

// The standard option table, the command-line reader and the start-up builder run
// in-process.
#include "HYX/Hyx.h"
#include "HYX/HyxResrc.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcCL.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include "TestUtil.h"
#include "VsectOptions.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace HYX;

namespace {

// Every keyed argument as key=value(form), every positional one as #n:value.
std::string readAll(const std::vector<const char*>& argv) {
    const Strings args(static_cast<int>(argv.size()), argv.data());
    ResrcCL cl(args);
    String key, value;
    std::string out;
    for (int r; (r = cl.getKeyed(key, value)) >= 0;) {
        const std::string flag = std::to_string(cl.getFlag());
        if (r == 1) {
            out += std::string(key.get()) + "=" + value.get() + "(" + flag + ") ";
        } else {
            const int n = cl.getPosition(value);
            out += "#" + std::to_string(n) + ":" + value.get() + " ";
        }
    }
    EXPECT_EQ(cl.getPosition(value), -1);
    return out;
}

} // namespace

TEST(HyxResrc, EveryRowHasItsOwnNameItsFlagInTheHelpAndAHyxVariable) {
    // The help lines of vsect's options are checked by its exact help listing; this holds
    // for every row of the table, listed or not.
    ResrcDBList all;
    for (int id = 0; id < HyxResrc::NUM_OPTIONS; ++id) HyxResrc::add(all, id);
    ASSERT_EQ(all.getNum(), 73);
    for (int i = 0; i < all.getNum(); ++i)
        for (int j = i + 1; j < all.getNum(); ++j) EXPECT_STRNE(all.get(i)->name, all.get(j)->name);
    // The help lines of these two name another flag than the one matched; the file names
    // are positional.
    for (int id = 0; id < HyxResrc::NUM_OPTIONS; ++id) {
        if (id == HyxResrc::COLOR_CGRID || id == HyxResrc::COLOR_SOUND || id == HyxResrc::FILENAME)
            continue;
        const std::string flag = std::string("-") + all.get(id)->cmdln + " ";
        EXPECT_EQ(std::string(all.get(id)->help).compare(0, flag.size(), flag), 0) << id;
        EXPECT_EQ(std::string(all.get(id)->env).compare(0, 3, "hyx"), 0) << id;
    }
    EXPECT_EQ(all.get(HyxResrc::FILENAME)->cmdln, nullptr);
}

TEST(ResrcCL, ReadsTheFourKeyedFormsAndPositionals) {
    EXPECT_EQ(readAll({"vsect", "-id=KDEN,KOMA", "--de", "p", "-it", "-x=", "f1"}),
              "id=KDEN,KOMA(2) de=p(5) it=(6) x=(2) #0:f1 ");
    // A negative number is a value; "-5" alone is positional; "--" is an empty key.
    EXPECT_EQ(readAll({"vsect", "-ra", "-72", "-5", "--", "f2", "-h"}),
              "ra=-72(5) #0:-5 =(9) #1:f2 h=(6) ");
    EXPECT_EQ(readAll({"vsect", "-=x", "-", "---x", "-a=b=c", "--k=v"}),
              "#0:-=x #1:- #2:---x a=b=c(2) k=v(2) ");
    EXPECT_EQ(readAll({"vsect"}), "");
}

TEST(ResrcCL, RewindStartsOverAndCompareRanksShortOverPrefix) {
    const char* argv[] = {"vsect", "a", "-k", "v", "b"};
    const Strings args(5, argv);
    ResrcCL cl(args);
    String key, value;
    EXPECT_EQ(cl.getKeyed(key, value), 0);
    EXPECT_EQ(cl.getPosition(value), 0);
    EXPECT_EQ(cl.getKeyed(key, value), 1);
    EXPECT_EQ(cl.getPosition(value), 1);
    EXPECT_STREQ(value.get(), "b");
    cl.rewind();
    EXPECT_EQ(cl.getPosition(value), 0);
    EXPECT_STREQ(value.get(), "a");

    EXPECT_EQ(ResrcCL::compare("bg", "background", "bg"), 2);
    EXPECT_EQ(ResrcCL::compare("background", "background", "bg"), 1);
    EXPECT_EQ(ResrcCL::compare("Back", "background", "bg"), 0);
    EXPECT_EQ(ResrcCL::compare("backgrounds", "background", "bg"), 0);
    EXPECT_EQ(ResrcCL::compare("", "background", "bg"), 0);
    EXPECT_EQ(ResrcCL::compare("f", "filename", nullptr), 1);
}

TEST(ResrcDBCreate, AppliesMessageLevelAndDatabasePath) {
    const uint32_t mask = Hyx::getMessageMask();
    Hyx::getResrcStore().clear();
    unsetenv("hyxdefault");
    testutil::ScratchDir dir;
    dir.write("hyx.cfg", "vsect.file_path: /from/file\n");
    setenv("hyxfpath", "/from/env", 1);
    ResrcDBList keyed, positional;
    using H = HyxResrc;
    for (int id : {H::GROUP_PROGRAM, H::GROUP_PATHS, H::GROUP_MAPS, H::GROUP_NAMING, H::GROUP_TIME,
                   H::GROUP_DOMAIN, H::GROUP_IDENT, H::GROUP_PLOT, H::GROUP_COLORS, H::GROUP_WINDOW,
                   H::VARIABLE})
        HyxResrc::add(keyed, id);
    HyxResrc::add(positional, H::FILENAME);
    const char* argv[] = {
        "/opt/bin/vsect", "-df", dir.path().c_str(), "-me", "warn,+debug1", "-fp", "/db"};
    EXPECT_EQ(ResrcDB::create(Strings(7, argv), keyed, positional), 1);
    EXPECT_STREQ(Hyx::getProgramName(), "vsect");
    EXPECT_EQ(Hyx::getMessageMask(), 0x7u | (1u << 12));
    EXPECT_STREQ(Hyx::getDatabasePath(), "/db");
    EXPECT_EQ(Hyx::getResrcStore().getNum(), 5); // prog, name, default, file_path, message
    // The program-wide state as it was.
    Hyx::setMessageMask(mask);
    Hyx::getResrcStore().clear();
    Hyx::setProgramName(nullptr);
    Hyx::setDatabasePath(nullptr);
    unsetenv("hyxfpath");
}

// Option lists, the standard option table, the command-line and environment readers and
// the start-up builder run in-process.
#include "HYX/Hyx.h"
#include "HYX/HyxResrc.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcCL.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/ResrcEnv.h"
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

// The names in the list, comma-separated.
std::string names(const ResrcDBList& list) {
    std::string out;
    for (int i = 0; i < list.getNum(); ++i) out += (i ? "," : "") + std::string(list.get(i)->name);
    return out;
}

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

TEST(ResrcDBList, KeepsOrderAndDuplicatesAndWalksWithACursor) {
    ResrcDBList list;
    EXPECT_EQ(list.first(), nullptr);
    list.add("a", "hyxa", "x", "-x  A");
    list.add("b", "hyxb", nullptr, "b...  B");
    list.add("a", "hyxa", "x", "-x  A");
    EXPECT_EQ(list.getNum(), 3);
    EXPECT_STREQ(list.first()->name, "a");
    EXPECT_STREQ(list.next()->name, "b");
    EXPECT_EQ(list.get(0)->next, list.get(1));
    list.next();
    EXPECT_EQ(list.next(), nullptr);
    EXPECT_EQ(list.next(), nullptr); // stays at the end until rewound
    list.rewind();
    ResrcDBItem item;
    ASSERT_EQ(list.next(item), 1);
    EXPECT_STREQ(item.env, "hyxa");
    EXPECT_EQ(list.get(3, item), 0);
    EXPECT_EQ(list.get(-1), nullptr);
}

TEST(HyxResrc, GroupsAddTheirMembersInOrder) {
    // The groups the program lists are checked by its exact help listing; these are the rest.
    struct Group {
        int id;
        const char* members;
    };
    const Group groups[] = {{HyxResrc::GROUP_STATIONS, "city_file,stat_prior"},
                            {HyxResrc::GROUP_IO, "input,output"},
                            {HyxResrc::GROUP_GRID, "grid_num,grid_type"},
                            {HyxResrc::GROUP_FILL_COLORS, "color_cmap,color_cont,color_clabel"},
                            {HyxResrc::GROUP_ANALYSIS, "object_param"},
                            {HyxResrc::GROUP_CONTOUR, "con_interval,con_base"}};
    for (const Group& g : groups) {
        ResrcDBList list;
        EXPECT_EQ(HyxResrc::add(list, g.id), 1);
        EXPECT_EQ(names(list), g.members) << "group " << g.id;
    }
    ResrcDBList none;
    EXPECT_EQ(HyxResrc::add(none, -1), 1);
    EXPECT_EQ(HyxResrc::add(none, 89), 1);
    EXPECT_EQ(none.getNum(), 0);

    // A member already in the list is added again.
    ResrcDBList twice;
    HyxResrc::add(twice, HyxResrc::GROUP_MAPS);
    HyxResrc::add(twice, HyxResrc::GROUP_STATIONS);
    EXPECT_EQ(names(twice), "city_file,map_file,city_file,stat_prior");
}

TEST(HyxResrc, TableRowsCarryNamesVariablesFlagsAndHelp) {
    ResrcDBList all;
    for (int id = 0; id < HyxResrc::NUM_OPTIONS; ++id) HyxResrc::add(all, id);
    ASSERT_EQ(all.getNum(), 73);
    // Every resource has one row.
    for (int i = 0; i < all.getNum(); ++i)
        for (int j = i + 1; j < all.getNum(); ++j) EXPECT_STRNE(all.get(i)->name, all.get(j)->name);

    const auto row = [&](int id) { return all.get(id); };
    EXPECT_STREQ(row(HyxResrc::BACKGROUND)->name, "background");
    EXPECT_STREQ(row(HyxResrc::BACKGROUND)->env, "hyxback");
    EXPECT_STREQ(row(HyxResrc::BACKGROUND)->cmdln, "bg");
    // The help lines of these two name another flag than the one matched.
    EXPECT_STREQ(row(HyxResrc::COLOR_CGRID)->cmdln, "cocg");
    EXPECT_STREQ(row(HyxResrc::COLOR_CGRID)->help, "-cogr color  Grid color for fill plots");
    EXPECT_STREQ(row(HyxResrc::COLOR_SOUND)->cmdln, "cosd");
    EXPECT_STREQ(row(HyxResrc::COLOR_SOUND)->help, "-codf clr... Parcel sounding color");
    EXPECT_STREQ(row(HyxResrc::FILENAME)->name, "filename");
    EXPECT_EQ(row(HyxResrc::FILENAME)->cmdln, nullptr);
    EXPECT_STREQ(row(HyxResrc::FILENAME)->env, "hyxfilenm");
    EXPECT_STREQ(row(HyxResrc::OBJECT_PARAM)->help,
                 "-oa smooth[,radinf,pass,conv,min] Specifies objective analysis params");
    EXPECT_STREQ(row(HyxResrc::PLOT_RANGE)->name, "plot_range");
    EXPECT_STREQ(row(HyxResrc::PLOT_RANGE)->cmdln, "ra");
    EXPECT_STREQ(row(HyxResrc::WATCH_PATH)->name, "watch_path");
    EXPECT_STREQ(row(HyxResrc::WATCH_PATH)->env, "hyxwpath");
    // Every keyed help line begins with its own flag, but for the two above.
    for (int id = 0; id < HyxResrc::NUM_OPTIONS; ++id) {
        if (id == HyxResrc::COLOR_CGRID || id == HyxResrc::COLOR_SOUND || id == HyxResrc::FILENAME)
            continue;
        const std::string flag = std::string("-") + row(id)->cmdln + " ";
        EXPECT_EQ(std::string(row(id)->help).compare(0, flag.size(), flag), 0) << id;
        EXPECT_EQ(std::string(row(id)->env).compare(0, 3, "hyx"), 0) << id;
    }
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

TEST(ResrcEnv, InstanceNamesQualifyTheVariable) {
    Resrc store;
    store.add("prog", "vsect", Resrc::PROG);
    store.add("name", "vsect", Resrc::PROG);
    const auto var = [&] {
        String v;
        ResrcEnv::getVarName(store, "city_file", v);
        return std::string(v.get());
    };
    EXPECT_EQ(var(), "hyx_vsect_city_file");
    store.add("name", "cfg", Resrc::CMDLN);
    EXPECT_EQ(var(), "hyx_cfg_city_file");
    store.add("name", "", Resrc::CMDLN);
    EXPECT_EQ(var(), "hyx_vsect_city_file");
}

TEST(ResrcDB, ProgramNameIsTheLastPathComponent) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/vsect", "vsect"}, {"vsect", "vsect"}, {"dir/", ""}};
    String name;
    for (const auto& c : cases) {
        ResrcDB::decodeProgramName(c.first, name);
        EXPECT_STREQ(name.get(), c.second) << c.first;
    }
    EXPECT_EQ(ResrcDB::decodeProgramName("vsect", name), 1);
    EXPECT_EQ(ResrcDB::decodeProgramName(nullptr, name), 0);
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

// Every fuzz target over its corpus and its minimised crash inputs (the sanitizer build
// checks them): each folder names a registered target, and every file of it is run.
#include "FuzzTarget.h"

#include "HYX/Hyx.h"
#include "HYX/Resrc.h"

#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> out;
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d))
            if (e->d_name[0] != '.') out.emplace_back(e->d_name);
        closedir(d);
    }
    return out;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FuzzReplay : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        mask = HYX::Hyx::getMessageMask();
        db = HYX::Hyx::getDatabasePath() ? HYX::Hyx::getDatabasePath() : "";
        HYX::Hyx::setMessageMask(0);
        HYX::Hyx::setDatabasePath(HYX_FUZZ_SHARE);
    }
    void TearDown() override {
        HYX::Hyx::setMessageMask(mask);
        HYX::Hyx::setDatabasePath(db.c_str());
        HYX::Hyx::getResrcStore().clear();
    }
    uint32_t mask = 0;
    std::string db;
};

TEST(FuzzTargets, EachSourceFileRegistersItsTargetWithACorpus) {
    int sources = 0;
    for (const std::string& f : entries(HYX_FUZZ_DIR)) {
        if (f.compare(0, 5, "fuzz_") != 0) continue;
        ++sources;
        const std::string name = f.substr(5, f.size() - 9);
        EXPECT_EQ(fuzz::targets().count(name), 1u) << f << " registers no target " << name;
        EXPECT_FALSE(entries(std::string(HYX_FUZZ_DIR) + "/corpus/" + name).empty())
            << "no corpus for " << name;
    }
    EXPECT_GE(sources, 20);
    EXPECT_EQ(static_cast<int>(fuzz::targets().size()), sources);
}

TEST_P(FuzzReplay, EveryFolderNamesATargetAndEveryFileRuns) {
    const std::string top = std::string(HYX_FUZZ_DIR) + "/" + GetParam();
    for (const std::string& name : entries(top)) {
        const auto it = fuzz::targets().find(name);
        ASSERT_NE(it, fuzz::targets().end()) << top << "/" << name << " names no fuzz target";
        const int before = fuzz::calls()[name];
        const std::vector<std::string> files = entries(top + "/" + name);
        for (const std::string& f : files) {
            const std::string bytes = slurp(top + "/" + name + "/" + f);
            it->second(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        }
        EXPECT_EQ(fuzz::calls()[name] - before, static_cast<int>(files.size())) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, FuzzReplay, ::testing::Values("corpus", "regressions"));

} // namespace

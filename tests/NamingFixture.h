// A scratch database and data directory for the naming-convention tests, with the
// program-wide resources, the initial time and $hyxcurtime reset around each test.
#ifndef HYX_NAMINGFIXTURE_H
#define HYX_NAMINGFIXTURE_H

#include "HYX/Const.h"
#include "HYX/Date.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"
#include "HYX/String.h"

#include "TestUtil.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

// A date as "yyyymmdd hh:mm", missing parts as X.
inline std::string dateText(const HYX::Date& d) {
    HYX::String s;
    d.toText("%Y%m%d %H:%M", s);
    return s.get();
}

class NamingTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset();
        paths();
    }
    // The store holding only the scratch file and data paths.
    void paths() const {
        HYX::Hyx::getResrcStore().clear();
        HYX::Hyx::putResrc("file_path", tmp.path().c_str());
        HYX::Hyx::putResrc("data_path", data().c_str());
    }
    void TearDown() override { reset(); }

    static void reset() {
        HYX::Hyx::getResrcStore().clear();
        HYX::Hyx::setInitTime(HYX::Const::MISS);
        HYX::Hyx::setMessageLevel("mess");
        unsetenv("hyxcurtime");
    }

    std::string data() const { return tmp.file("data"); }
    // A file under the scratch directory, with the directories leading to it.
    void put(const std::string& name, const std::string& content) const {
        HYX::FileTool::makeDir(tmp.file(name).c_str(), 1);
        tmp.write(name, content);
    }
    // A data file of the given size under the data directory.
    void dataFile(const std::string& name, size_t size = 100) const {
        put("data/" + name, std::string(size, 'x'));
    }
    void conv(const std::string& text) const { tmp.write("name.cnv", text); }
    // A file name with the data directory written as "$D".
    std::string rel(const char* name) const {
        const std::string n = name ? name : "(null)", d = data() + "/";
        return n.compare(0, d.size(), d) ? n : "$D/" + n.substr(d.size());
    }

    testutil::ScratchDir tmp;
};

#endif

// A scratch database and data directory for the naming-convention tests, with the
// program-wide resources, the initial time and $hyxcurtime reset around each test.
#ifndef HYX_NAMINGFIXTURE_H
#define HYX_NAMINGFIXTURE_H

#include "HYX/Const.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"

#include "TestUtil.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

class NamingTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset();
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

    testutil::ScratchDir tmp;
};

#endif

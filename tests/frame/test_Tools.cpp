// Program services: message levels, the resource store, exit handling and Tools.
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"
#include "HYX/String.h"
#include "HYX/Tools.h"

#include "TestUtil.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>

using namespace HYX;

namespace {

// Restores the default message mask after each test.
class MessageLevels : public ::testing::Test {
protected:
    void SetUp() override { saved = Hyx::getMessageMask(); }
    void TearDown() override { Hyx::setMessageMask(saved); }
    uint32_t saved = 0;
};

} // namespace

TEST_F(MessageLevels, ElementsApplyLeftToRight) {
    Hyx::setMessageLevel("warn,+debug2");
    EXPECT_EQ(Hyx::getMessageMask(), (1u << 0) | (1u << 1) | (1u << 2) | (1u << 13));
    EXPECT_TRUE(Hyx::isDebug());
    EXPECT_TRUE(Hyx::isDebug(1));
    EXPECT_FALSE(Hyx::isDebug(2));

    Hyx::setMessageMask(63);
    Hyx::setMessageLevel("-warn");
    EXPECT_FALSE(Hyx::checkMessage(3));
    Hyx::setMessageLevel("-warn,-WARN");
    EXPECT_FALSE(Hyx::checkMessage(3)); // toggled twice from off: off -> on -> off
    Hyx::setMessageMask(63);
    Hyx::setMessageLevel("-warn,-warn");
    EXPECT_TRUE(Hyx::checkMessage(3));

    // Everything, and so is no level at all.
    for (const char* all : {"debug", "debug8", "verbose", static_cast<const char*>(nullptr)}) {
        Hyx::setMessageLevel(all);
        EXPECT_EQ(Hyx::getMessageMask(), (1u << 20) - 1) << (all ? all : "(null)");
    }
}

TEST_F(MessageLevels, NoneSilencesMessagesButNotWarnings) {
    Hyx::setMessageLevel("none");
    EXPECT_EQ(Hyx::getMessageMask(), 0u);
    EXPECT_EQ(testutil::captureOut([] { Hyx::outMessage("x\n"); }), "");
    unsetenv("hyxerrtoout");
    EXPECT_EQ(testutil::captureErr([] { Hyx::outWarning("W %d\n", 1); }), "W 1\n");
    EXPECT_EQ(testutil::captureErr([] { Hyx::outError("E\n"); }), "E\n");
    setenv("hyxerrtoout", "", 1);
    EXPECT_EQ(testutil::captureOut([] { Hyx::outWarning("W\n"); }), "W\n");
    unsetenv("hyxerrtoout");
}

TEST(Resrc, AppendPrependAndTypedGetters) {
    Resrc r;
    r.append("f", "one");
    r.append("f", "two");
    r.prepend("f", "zero", ',');
    EXPECT_STREQ(r.get("f"), "zero,one\ntwo");
    EXPECT_EQ(r.getType("f"), 0);
    r.add("n", "-5", 5);
    EXPECT_EQ(r.get("n", 7), 7);
    r.add("n", ".5", 5);
    EXPECT_FLOAT_EQ(r.get("n", 1.5f), 1.5f);
    r.add("n", "12x", 5);
    EXPECT_EQ(r.get("n", 0), 12);
    r.add("flag", "", 5);
    EXPECT_TRUE(r.getBool("flag"));
    r.add("flag", "OFF", 5);
    EXPECT_FALSE(r.getBool("flag"));
    EXPECT_FALSE(r.getBool("absent"));
}

TEST(Tools, NumberTexts) {
    EXPECT_TRUE(Tools::isInt("-5"));
    EXPECT_FALSE(Tools::isInt("-"));
    EXPECT_FALSE(Tools::isInt(".5"));
    EXPECT_TRUE(Tools::isFloat(".5"));
    EXPECT_TRUE(Tools::isFloat("-.5"));
    EXPECT_FALSE(Tools::isFloat("-."));
    EXPECT_FALSE(Tools::isFloat(""));

    String s;
    const std::pair<float, const char*> texts[] = {{12.5f, "12.5"},  {3, "3"},
                                                   {0.25f, "0.25"},  {0, "0"},
                                                   {-1500, "-1500"}, {2.5e7f, "2.500000e+07"}};
    for (const auto& c : texts) {
        Tools::toString(c.first, s);
        EXPECT_STREQ(s.get(), c.second) << c.first;
    }
    Tools::toString(3.14159f, 3, s);
    EXPECT_STREQ(s.get(), "3.14");

    const std::pair<float, int> codes[] = {
        {500, 250}, {1.5f, 15}, {0.25f, 950}, {-500, -250}, {0, 0}};
    for (const auto& c : codes) EXPECT_EQ(Tools::toInt(c.first), c.second) << c.first;
}

TEST(Tools, IntervalRoundsUp) {
    EXPECT_FLOAT_EQ(Tools::calcInterval(57, 0, 10), 6);
    EXPECT_FLOAT_EQ(Tools::calcInterval(1, 0, 4), 0.3f);
    EXPECT_FLOAT_EQ(Tools::calcInterval(5, 5, 3), 1.0f);
    EXPECT_FLOAT_EQ(Tools::calcInterval(100, 0, 0), 100);
    EXPECT_FLOAT_EQ(Tools::calcInterval(0.05f, 0, 10), 0.005f);
}

TEST(Hyx, ExitRunsHandlersBeforeEnding) {
    EXPECT_EXIT(
        {
            Hyx::addExitHandler([](void*) { std::fputs("closed\n", stderr); }, nullptr);
            Hyx::exit(Hyx::NOFILE);
        },
        ::testing::ExitedWithCode(6), "closed");
    EXPECT_STREQ(Hyx::getVersion(), "6.65-LINUX-X11");
}

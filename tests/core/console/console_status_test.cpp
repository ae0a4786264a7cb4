#include <gtest/gtest.h>

#include "core/console/next_transmissions.h"
#include "core/console/status_json.h"
#include "core/parts/controls.h"
#include "core/parts/front_panel.h"

namespace vox {
namespace {

TEST(NextTransmissions, KeepsWhatGoesOnTheAirAfterTheCopysStartUp) {
    const std::string air =
        "{\"t\":\"2026-12-10T12:00:01.000\",\"ev\":\"ptt\",\"on\":true}\n"  // the copy's start-up
        "{\"t\":\"2026-12-10T12:00:05.000\",\"ev\":\"status\",\"panel\":1,\"text\":\"x\"}\n"
        "{\"t\":\"2026-12-10T12:15:00.000\",\"ev\":\"ptt\",\"on\":true}\n"
        "{\"t\":\"2026-12-10T12:15:00.500\",\"ev\":\"speak\",\"text\":\"The time is\"}\n"
        "{\"t\":\"2026-12-10T12:20:00.000\",\"ev\":\"log\",\"text\":\"a line\"}\n"
        "{\"t\":\"2026-12-10T12:30:00.000\",\"ev\":\"connect\",\"call\":\"W1AW\"}\n"
        "{\"t\":\"2026-12-10T12:40:00.000\",\"ev\":\"node\",\"on\":false}\n"
        "not a record\n"
        "{\"t\":\"2026-12-10T12:50:00.000\",\"ev\":\"play\",\"file\":\"wav/id.wav\"}";
    const auto lines = nextTransmissionLines(air, "2026-12-10T12:00:05");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_NE(lines[0].find("12:15:00.000\",\"ev\":\"ptt\""), std::string::npos);
    EXPECT_NE(lines[1].find("The time is"), std::string::npos);
    EXPECT_NE(lines[2].find("connect"), std::string::npos);
    EXPECT_NE(lines[3].find("\"node\""), std::string::npos);
    EXPECT_NE(lines[4].find("id.wav"), std::string::npos);
    EXPECT_EQ(nextTransmissionLines(air, "2026-12-10T12:00:05", 2).size(), 2u);
}

TEST(ConsoleStatus, OnlyTheWindowsControlsArePressable) {
    struct Case {
        std::string name;
        bool pressable;
    };
    const Case cases[] = {
        {Control::CMDTime, true},
        {Control::cbNoText, true},
        {Control::cmdRemoteNode(7), true},
        {Control::lblTwo, true},
        {Control::lblPTT, false},
        {Control::tbFileName, false},
        {"cmdRemoteNode8", false},
        {"", false},
        {"mnuFileExit", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(consolePressable(c.name), c.pressable) << c.name;
}

TEST(ConsoleStatus, PanelsAndCaptionsAreJsonText) {
    FrontPanel panel;
    panel.setPanel(StatusPanel::Speech, "<b>\"quoted\"</b>");
    panel.setCaption(Control::lblPTT, "ON");
    panel.setCaption(Control::cmdRemoteNode(0), "K1ABC");
    panel.setEnabled(Control::CMDTime, false);
    const std::string json = statusJson(panel, NodeNow{true, true, false, 2});
    EXPECT_NE(json.find("\"<b>\\\"quoted\\\"</b>\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"ptt\":true"), std::string::npos);
    EXPECT_NE(json.find("\"receiving\":true"), std::string::npos);
    EXPECT_NE(json.find("\"connected\":2"), std::string::npos);
    EXPECT_NE(json.find("\"name\":\"CMDTime\",\"label\":\"Xmit Time\",\"kind\":\"button\","
                        "\"caption\":\"\",\"enabled\":false"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"caption\":\"K1ABC\""), std::string::npos);
}

}  // namespace
}  // namespace vox

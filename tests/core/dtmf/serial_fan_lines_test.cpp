// The fan on a serial port of its own: the lines it drives, and a port that is missing or goes.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/dtmf/fan_control.h"
#include "core/dtmf/serial_fan_lines.h"
#include "tests/core/parts/part_rig.h"
#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

// The machine's side: whether the port can be opened, and the lines as last set.
struct FakeSerialMachine {
    bool present = false;
    bool unplugged = false;  // an open port fails every line set
    int opens = 0;
    bool rts = false, dtr = false;
};

class FakePort : public SerialPortLines {
public:
    explicit FakePort(FakeSerialMachine& m) : m_(m) {}
    bool setRts(bool on, std::string* error) override { return set(m_.rts, on, error); }
    bool setDtr(bool on, std::string* error) override { return set(m_.dtr, on, error); }

private:
    bool set(bool& line, bool on, std::string* error) {
        if (m_.unplugged) {
            *error = "device gone";
            return false;
        }
        line = on;
        return true;
    }
    FakeSerialMachine& m_;
};

struct SerialFanRig : PartRig {
    SerialFanRig()
        : serial(
              "/dev/ttyUSB0",
              [this](const std::string&, std::string* error) -> std::unique_ptr<SerialPortLines> {
                  ++machine.opens;
                  if (!machine.present) {
                      *error = "No such file or directory";
                      return nullptr;
                  }
                  return std::make_unique<FakePort>(machine);
              },
              [this] { return rt.now(); }, [this](const std::string& l) { reports.push_back(l); }),
          fan(context(), timers[TimerName::tFanLogic], controls, &serial) {
        panel.bindSettings(&settings);
        settings.FanTime = 1;
        timers[TimerName::tFanLogic].setEnabled(true);
    }
    void transmit(double seconds) {
        node.link().setPtt(true);
        run(seconds);
        node.link().setPtt(false);
    }
    FakeSerialMachine machine;
    std::vector<std::string> reports;
    SerialFanLines serial;
    FanControl fan;
};

TEST(SerialFan, DrivesItsOwnPortAndLeavesTheNodesLinesAlone) {
    SerialFanRig rig;
    rig.machine.present = true;
    rig.panel.setChecked(Control::FanRTS, true);
    rig.panel.setChecked(Control::FanDTR, true);
    rig.transmit(2.5);
    EXPECT_TRUE(rig.machine.rts);
    EXPECT_TRUE(rig.machine.dtr);
    EXPECT_EQ(rig.panel.caption(Control::frFan), "Fan: On 60 sec");
    EXPECT_FALSE(rig.nodes.state().rts);
    EXPECT_FALSE(rig.nodes.state().dtr);
    rig.run(61);
    EXPECT_FALSE(rig.machine.rts);
    EXPECT_FALSE(rig.machine.dtr);

    rig.transmit(2.5);
    rig.controls.press(Control::FanDTR);  // a click switches the line off at once
    EXPECT_FALSE(rig.machine.dtr);
    EXPECT_EQ(rig.machine.opens, 1);
    EXPECT_TRUE(rig.reports.empty());
}

TEST(SerialFan, AMissingPortIsReportedOnceAndTriedEachMinute) {
    SerialFanRig rig;
    rig.panel.setChecked(Control::FanRTS, true);
    rig.run(1.5);
    EXPECT_EQ(rig.machine.opens, 1);
    ASSERT_EQ(rig.reports.size(), 1u);
    EXPECT_EQ(rig.reports[0],
              "Fan port /dev/ttyUSB0 cannot be opened (No such file or directory); trying again "
              "each minute");

    // A tick a second, yet one attempt a minute and no further line; the fan logic runs on.
    const int before = rig.state.FanSeconds;
    rig.run(58);
    EXPECT_EQ(rig.machine.opens, 1);
    rig.run(2);
    EXPECT_EQ(rig.machine.opens, 2);
    rig.run(180);
    EXPECT_EQ(rig.machine.opens, 5);
    EXPECT_EQ(rig.reports.size(), 1u);
    EXPECT_GE(rig.state.FanSeconds, before + 239);
    EXPECT_TRUE(rig.timers[TimerName::tFanLogic].enabled());

    // Plugged in: taken at the next attempt, said once, and the line follows the fan again.
    rig.machine.present = true;
    rig.node.link().setPtt(true);
    rig.run(60);
    rig.node.link().setPtt(false);
    EXPECT_EQ(rig.machine.opens, 6);
    EXPECT_TRUE(rig.machine.rts);
    ASSERT_EQ(rig.reports.size(), 2u);
    EXPECT_EQ(rig.reports[1], "Fan port /dev/ttyUSB0 is open again");
}

TEST(SerialFan, APortThatFailsALineIsDroppedAndTakenBackAMinuteLater) {
    SerialFanRig rig;
    rig.settings.FanTime = 5;
    rig.machine.present = true;
    rig.panel.setChecked(Control::FanRTS, true);
    rig.transmit(2.5);
    ASSERT_TRUE(rig.serial.isOpen());

    rig.machine.unplugged = true;
    rig.run(30);
    EXPECT_FALSE(rig.serial.isOpen());
    EXPECT_EQ(rig.machine.opens, 1);
    ASSERT_EQ(rig.reports.size(), 1u);
    EXPECT_EQ(rig.reports[0],
              "Fan port /dev/ttyUSB0 failed (device gone); trying again each minute");

    rig.machine.unplugged = false;
    rig.machine.rts = false;
    rig.run(31);
    EXPECT_EQ(rig.machine.opens, 2);
    EXPECT_TRUE(rig.serial.isOpen());
    EXPECT_TRUE(rig.machine.rts);  // still within the run-on
    EXPECT_EQ(rig.reports.size(), 2u);
}

// A port that opens each minute but fails its line each time is one outage: one line, not an
// "open again" and a failure every minute.
TEST(SerialFan, APortThatOpensButKeepsFailingIsReportedOnce) {
    SerialFanRig rig;
    rig.machine.present = true;
    rig.machine.unplugged = true;
    rig.panel.setChecked(Control::FanRTS, true);
    rig.run(300);
    EXPECT_GE(rig.machine.opens, 5);
    ASSERT_EQ(rig.reports.size(), 1u);
    EXPECT_EQ(rig.reports[0],
              "Fan port /dev/ttyUSB0 failed (device gone); trying again each minute");
}

TEST(SerialFan, AnOpenerThatThrowsIsAnUnopenedPort) {
    PartRig rig;
    std::vector<std::string> reports;
    SerialFanLines lines(
        "/dev/x",
        [](const std::string&, std::string*) -> std::unique_ptr<SerialPortLines> {
            throw std::runtime_error("busy");
        },
        [&] { return rig.rt.now(); }, [&](const std::string& l) { reports.push_back(l); });
    EXPECT_THROW(lines.setRts(true), std::runtime_error);
    EXPECT_THROW(lines.setDtr(true), std::runtime_error);
    EXPECT_EQ(reports, std::vector<std::string>{
                           "Fan port /dev/x cannot be opened (busy); trying again each minute"});
}

TEST(SerialFan, ShutdownLeavesTheFanOnThroughTheSameLines) {
    struct RecordedLines : FanLines {
        std::vector<std::string> sets;
        void setRts(bool on) override { sets.push_back(on ? "rts on" : "rts off"); }
        void setDtr(bool on) override { sets.push_back(on ? "dtr on" : "dtr off"); }
    } lines;
    StationRig rig;
    rig.station.reset();
    StationPorts ports{rig.rt,
                       ProgramFolder(rig.folder.path),
                       rig.nodes,
                       rig.ui,
                       rig.air,
                       [&]() -> std::unique_ptr<Voice> { return std::make_unique<VirtualVoice>(rig.rt); }};
    ports.fanLines = &lines;
    Station station(std::move(ports));
    ASSERT_EQ(station.start(), Station::StartOutcome::Running);
    station.panel().setChecked("FanDTR", true);
    rig.rt.waitUntil(rig.rt.now() + 2.5);
    ASSERT_FALSE(lines.sets.empty());
    EXPECT_EQ(lines.sets.back(), "dtr off");
    station.shutdown();
    EXPECT_EQ(lines.sets.back(), "dtr on");
    EXPECT_EQ(std::count(lines.sets.begin(), lines.sets.end(), "rts on"), 0);
    EXPECT_FALSE(rig.nodes.state().dtr);
}

}  // namespace
}  // namespace vox

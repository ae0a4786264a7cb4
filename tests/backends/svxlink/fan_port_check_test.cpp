// The fan's serial port against the ports SvxLink's configuration holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "backends/svxlink/fan_port_check.h"
#include "core/settings/program_conf.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

class FanPortCheck : public ::testing::Test {
protected:
    TempFolder temp;
    const std::filesystem::path root{temp.path};
    std::string write(const std::string& name, const std::string& text) {
        const fs::path p = root / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
};

TEST_F(FanPortCheck, RefusesAPortSvxLinkKeysOrListensOn) {
    // "@" stands for the temporary folder; ports are plain files there.
    const struct {
        const char* name;
        std::string conf;
        std::string dropIn;  // svxlink.d/Tx.conf
        std::string want;    // "" = allowed; else the start of the reason
    } cases[] = {
        {"PTT port", "[Tx1]\nTYPE=Local\nPTT_TYPE=SerialPin\nPTT_PORT=@/ttyUSB0\n", "",
         "SvxLink keys its transmitter on @/ttyUSB0 (PTT_PORT in [Tx1] of @/svxlink.conf)"},
        {"quoted, CRLF", "[Tx2]\r\nPTT_TYPE=serialpin\r\nPTT_PORT = \"@/ttyUSB0\"\r\n", "",
         "SvxLink keys its transmitter"},
        // Stock [Tx1] keeps PTT_PORT=/dev/ttyS0 whatever its type; only SerialPin uses it.
        {"no PTT_TYPE", "[Tx2]\nPTT_PORT=@/ttyUSB0\n", "", ""},
        {"GPIO PTT", "[Tx1]\nPTT_TYPE=GPIO\nPTT_PORT=@/ttyUSB0\n", "", ""},
        {"PTY PTT", "[Tx1]\nPTT_TYPE=PTY\nPTT_PORT=@/ttyUSB0\n", "", ""},
        {"through a link", "[Tx1]\nPTT_TYPE=SerialPin\nPTT_PORT=@/by-id\n", "",
         "SvxLink keys its transmitter on @/ttyUSB0"},
        {"PTT off", "[Tx1]\nPTT_TYPE=NONE\nPTT_PORT=@/ttyUSB0\n", "", ""},
        {"another port", "[Tx1]\nPTT_TYPE=SerialPin\nPTT_PORT=@/ttyUSB1\n", "", ""},
        {"commented out", "[Tx1]\n#PTT_PORT=@/ttyUSB0\n", "", ""},
        {"serial squelch", "[Rx1]\nSQL_DET=SERIAL\nSERIAL_PORT=@/ttyUSB0\n", "",
         "SvxLink reads its squelch on @/ttyUSB0 (SERIAL_PORT in [Rx1]"},
        {"VOX squelch", "[Rx1]\nSQL_DET=VOX\nSERIAL_PORT=@/ttyUSB0\n", "", ""},
        {"CFG_DIR file", "[GLOBAL]\nCFG_DIR=svxlink.d\n",
         "[TxA]\nPTT_TYPE=SerialPin\nPTT_PORT=@/ttyUSB0\n",
         "SvxLink keys its transmitter on @/ttyUSB0 (PTT_PORT in [TxA] of @/svxlink.d/Tx.conf)"},
        {"garbage", std::string("\0\xff[\n=\n[[]]\nPTT_PORT\n", 20), "", ""},
    };
    const auto at = [&](std::string s) {
        for (auto p = s.find('@'); p != std::string::npos; p = s.find('@'))
            s.replace(p, 1, root.string());
        return s;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root);
        write("ttyUSB0", "");
        write("ttyUSB1", "");
        fs::create_symlink(root / "ttyUSB0", root / "by-id");
        const std::string conf = write("svxlink.conf", at(c.conf));
        if (!c.dropIn.empty())
            write("svxlink.d/Tx.conf", at(c.dropIn));
        const std::string why = fanPortConflict(at("@/ttyUSB0"), conf);
        if (c.want.empty())
            EXPECT_EQ(why, "");
        else
            EXPECT_EQ(why.substr(0, at(c.want).size()), at(c.want)) << why;
    }
}

TEST_F(FanPortCheck, NoFanPortOrNoSvxLinkFileIsNoConflict) {
    const std::string conf =
        write("svxlink.conf", "[Tx1]\nPTT_TYPE=SerialPin\nPTT_PORT=/dev/ttyUSB0\n");
    EXPECT_EQ(fanPortConflict("", conf), "");
    EXPECT_EQ(fanPortConflict("/dev/ttyUSB0", ""), "");
    EXPECT_EQ(fanPortConflict("/dev/ttyUSB0", (root / "missing.conf").string()), "");
    EXPECT_EQ(fanPortConflict("/dev/ttyUSB0", root.string()), "");  // a folder
    EXPECT_NE(fanPortConflict("/dev/ttyUSB0", conf), "");
}

TEST_F(FanPortCheck, TheFanSectionNamesBothFiles) {
    const std::string path =
        write("voxclock.conf", "[fan]\nserial_port = /dev/ttyUSB0\nsvxlink_conf = /opt/s.conf\n");
    const ConfResult r = loadProgramConf(path);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.conf.fan.serialPort, "/dev/ttyUSB0");
    EXPECT_EQ(r.conf.fan.svxlinkConf, "/opt/s.conf");
    EXPECT_EQ(loadProgramConf(write("empty.conf", "")).conf.fan.svxlinkConf,
              "/etc/svxlink/svxlink.conf");
}

}  // namespace
}  // namespace vox

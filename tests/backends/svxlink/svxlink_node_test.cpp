#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "adapters/engine_voice.h"
#include "adapters/qt_runtime.h"
#include "adapters/speech_engines.h"
#include "backends/svxlink/svxlink_node.h"
#include "tests/support/svxlink_test_node.h"
#include "tests/support/temp_folder.h"

// A real SvxLink, started from a generated configuration in a temporary folder: UDP audio, PTY
// squelch and PTT, no sound card. Waits are on real PTYs and sockets, each with a deadline.
namespace vox {
namespace {

namespace fs = std::filesystem;

bool spinUntil(const std::function<bool()>& done, int ms) {
    return testnode::waitUntil(done, ms,
                               [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
}

struct Events : NodeEvents {
    std::vector<std::string> dtmf;
    std::function<void(const std::string&)> onDtmf;
    void onConnected(const std::string&, const std::string&, const std::string&) override {}
    void onDisconnected(const std::string&) override {}
    void onChatTextReceived(const std::string&) override {}
    void onStationListReceived() override {}
    void onDtmfString(const std::string& d) override {
        dtmf.push_back(d);
        if (onDtmf)
            onDtmf(d);
    }
    void onClosing() override {}
};

// Listens where SvxLink sends the main transmitter's audio.
struct TxAudio {
    int fd = -1;
    std::vector<std::int16_t> samples;
    explicit TxAudio(int port) {
        fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    }
    ~TxAudio() { ::close(fd); }
    void drain() {
        std::int16_t buf[2048];
        ssize_t n;
        while ((n = ::recv(fd, buf, sizeof buf, 0)) > 0)
            samples.insert(samples.end(), buf, buf + n / 2);
    }
    double rms() const {
        double sum = 0;
        for (auto s : samples)
            sum += double(s) * s;
        return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
    }
};

class SvxlinkNode : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testnode::svxlinkInstalled())
            GTEST_SKIP() << "svxlink is not installed (scripts/deps.sh installs svxlink-server)";
        ASSERT_TRUE(lock_.acquire(120000, step))
            << "another SvxLink test held the node for two minutes";
        std::string error;
        ASSERT_TRUE(node_.start(
            fs::temp_directory_path() / ("voxclock-svx-" + std::to_string(::getpid())), &error))
            << error;
        conf_.statePty = path("STATE_PTY");
        conf_.dtmfCtrlPty = path("DTMF_CTRL_PTY");
        conf_.squelchPty = path("ANN_SQL_PTY");
        conf_.echolinkCommandPty = node_.echolink() ? path("ECHOLINK_CMD_PTY") : "";
        conf_.audioPort = node_.port("ANN_RX_UDP");
        conf_.ownCodesFile = (node_.dir() / "voxclock_codes").string();
        tx_ = std::make_unique<TxAudio>(node_.port("MAIN_TX_UDP"));
        ptt_ = std::make_unique<PtyChannel>(
            path("MAIN_PTT_PTY"), [this](const std::string& b) { pttBytes_ += b; },
            [](bool, const std::string&) {});
        sys_ = std::make_unique<SvxlinkNodeSystem>(
            conf_, [this](const std::string& l) { log_.push_back(l); });
        link_ = sys_->createNode(events_);
        ASSERT_TRUE(spinUntil([&] { return ptt_->isOpen(); }, 2000));
    }

    void TearDown() override {
        link_.reset();
        sys_.reset();
        ptt_.reset();
        node_.stop();
        // Kept when something failed, for its logs.
        if (!HasFailure())
            node_.removeFolder();
    }

    static void step() { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); }
    void stopNode() { node_.stop(); }

    std::string path(const std::string& key) { return node_.path(key); }

    bool logHas(const std::string& text) const {
        for (const auto& l : log_)
            if (l.find(text) != std::string::npos)
                return true;
        return false;
    }

    testnode::NodeLock lock_;
    testnode::SvxlinkTestNode node_{step};
    SvxlinkConf conf_;
    std::unique_ptr<TxAudio> tx_;
    std::unique_ptr<PtyChannel> ptt_;
    std::string pttBytes_;
    std::vector<std::string> log_;
    Events events_;
    std::unique_ptr<SvxlinkNodeSystem> sys_;
    std::unique_ptr<NodeLink> link_;
};

// Our speech keys the main transmitter ("T", then "R") and is heard on its audio output.
TEST_F(SvxlinkNode, SpeechKeysTheMainTransmitterWithAudio) {
    SystemClock clock;
    QtEventLoop loop(clock);
    EngineVoice voice(clock, loop, node_.dir().string(), openSpeechEngine({}).engine);
    voice.renderTo(sys_->audio());
    link_->setPtt(true);
    voice.speak("The time is ten o'clock.", 0);
    ASSERT_TRUE(spinUntil([&] { return voice.runningState() == kDone; }, 15000));
    ASSERT_TRUE(spinUntil([&] { return pttBytes_.find('T') != std::string::npos; }, 3000));
    EXPECT_TRUE(link_->isTransmitting());
    link_->setPtt(false);
    ASSERT_TRUE(spinUntil([&] { return pttBytes_.find('R') != std::string::npos; }, 3000))
        << pttBytes_;
    EXPECT_EQ(pttBytes_, "TR");
    EXPECT_TRUE(spinUntil([&] { return !link_->isTransmitting(); }, 2000));
    tx_->drain();
    EXPECT_GT(tx_->samples.size(), 16000u / 2);  // at least half a second of speech
    EXPECT_GT(tx_->rms(), 300) << "no energy in the transmitted audio";
}

// DTMF heard by SvxLink reaches us; our own code is swallowed (SvxLink's Help module, code 0,
// would otherwise answer "00"), SvxLink's own go on to it. The reply keys the transmitter.
TEST_F(SvxlinkNode, DtmfReachesUsAndOurCodesAreSwallowed) {
    std::string error;
    ASSERT_TRUE(sys_->writeOwnCodes({"00"}, &error)) << error;
    QElapsedTimer sinceDtmf;
    events_.onDtmf = [&](const std::string& d) {
        if (d == "00") {
            link_->setPtt(true);
            std::vector<std::int16_t> tone(kVoiceSampleRate / 2);
            for (std::size_t i = 0; i < tone.size(); ++i)
                tone[i] = static_cast<std::int16_t>(8000 * std::sin(i * 2 * M_PI * 1000 / 22050));
            sys_->audio()->play(tone.data(), tone.size());
        }
    };
    sinceDtmf.start();
    ASSERT_TRUE(sys_->dtmf().write("00#", &error)) << error;
    ASSERT_TRUE(spinUntil([&] { return pttBytes_.find('T') != std::string::npos; }, 3000));
    std::cout << "[ measure  ] DTMF written -> PTT 'T': " << sinceDtmf.elapsed() << " ms\n";
    EXPECT_EQ(events_.dtmf, std::vector<std::string>{"00"});
    ASSERT_TRUE(spinUntil([&] { return !sys_->audio()->busy(); }, 3000));
    link_->setPtt(false);
    ASSERT_TRUE(spinUntil([&] { return pttBytes_ == "TR"; }, 3000)) << pttBytes_;
    const std::string text = readFile(node_.dir() / "svxlink.log");
    EXPECT_EQ(text.find("Activating module Help"), std::string::npos) << "SvxLink acted on 00";
}

// Our shutdown mid-transmission leaves SvxLink unkeyed.
TEST_F(SvxlinkNode, ShuttingDownWhileKeyedUnkeys) {
    link_->setPtt(true);
    ASSERT_TRUE(spinUntil([&] { return pttBytes_.find('T') != std::string::npos; }, 3000));
    link_.reset();
    sys_.reset();
    EXPECT_TRUE(spinUntil([&] { return pttBytes_ == "TR"; }, 3000)) << pttBytes_;
}

// SvxLink going away: we are told, nothing counts as keyed, and members fail clearly until it
// is back.
TEST_F(SvxlinkNode, SvxlinkGoneIsReportedAndNothingStaysKeyed) {
    link_->setPtt(true);
    ASSERT_TRUE(spinUntil([&] { return link_->isTransmitting(); }, 3000));
    stopNode();
    ASSERT_TRUE(spinUntil([&] { return logHas("lost"); }, 3000));
    EXPECT_FALSE(sys_->tracker().transmitting());
    try {
        link_->isReceiving();
        ADD_FAILURE() << "no error while SvxLink is gone";
    } catch (const NodeError& e) {
        EXPECT_NE(std::string(e.description()).find("SvxLink is not running"), std::string::npos);
    }
    EXPECT_THROW(link_->setPtt(true), NodeError);
}

}  // namespace
}  // namespace vox

#include "bench/soak_traffic.h"

#include <cstdio>
#include <iterator>

namespace vox {

namespace {

// The commands go round in this order. Toggles come in pairs, so every round ends as it began:
// text reading and auto-connects on, the node not busy, the commands unlocked, speech awake.
constexpr const char* kDtmf[] = {
    "00*",           // the time
    "*71*", "77*",   // an information file; the node status
    "99*",  "44*",   // the weather; the forecast
    "55*",  "33*",   // the local weather station; the weather alerts
    "*72*", "88*",   // another information file; help
    "411",  "*2*",   // the speed-dial list; text reading off
    "00#",  "*2*",   // the information file on request; text reading on
    "12",   "*79*",  // an unknown short code (the error file); a missing information file
    "1234", "*0*",   // an unknown long code (ignored); auto-connects off
    "77*",  "*0*",   // the status says so; auto-connects on
    "*1*",  "*1*",   // busy, not busy
    "BADC", "00*",   // lock: the time is refused with the locked file
    "BADC", "11*",   // unlock; start a recording
    "22*",  "66*",   // stop it; play it back
    "D",    "00*",   // speech asleep: nothing answers
    "D",    "701",   // awake; connect a remote node by its code
    "703",           // and a scheduled one out of its hours
};

constexpr const char* kCallers[] = {"W2AAA", "KB1BBB-L", "G4CCC", "VK2DDD-R", "JA1EEE"};

constexpr const char* kChat[] = {
    "W2AAA>good evening all",
    "KB1BBB-L>anyone on for the net tonight?",
    "G4CCC>73 and thanks for the contact",
    "VK2DDD-R>QSL, signal 5 and 9, \"clear\" copy",
    "JA1EEE>testing, 1, 2, 3 & <done>",
    "W2AAA>the repeater's fan sounds fine today",
};

constexpr int kMinute = 60;
constexpr int kHour = 3600;

}  // namespace

SoakTraffic::SoakTraffic(Runtime& rt, SimNodeSystem& nodes, std::uint32_t seed)
    : rt_(rt), nodes_(nodes), state_(seed ? seed : 1) {}

int SoakTraffic::between(int lo, int hi) {
    // xorshift32: the same sequence on every machine.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return lo + static_cast<int>(state_ % static_cast<std::uint32_t>(hi - lo + 1));
}

void SoakTraffic::send(const std::string& line) {
    ++sent_;
    const std::string answer = nodes_.handleLine(line);
    if (answer == "ok")
        return;
    ++refused_;
    if (verbose_)
        std::fprintf(stderr, "soak: %s -> %s\n", line.c_str(), answer.c_str());
}

void SoakTraffic::later(int seconds, void (SoakTraffic::*next)()) {
    rt_.callAfter(seconds, [this, next] { (this->*next)(); });
}

void SoakTraffic::start() {
    later(between(1, 5) * kMinute, &SoakTraffic::nextDtmf);
    later(between(1, 5) * kMinute, &SoakTraffic::nextChat);
    later(between(10, 40) * kMinute, &SoakTraffic::nextVisitor);
    later(between(2, 6) * kHour, &SoakTraffic::nextBusy);
    later(kHour, &SoakTraffic::nextStationList);
}

void SoakTraffic::nextDtmf() {
    later(between(3, 7) * kMinute, &SoakTraffic::nextDtmf);
    // The users sleep through the quiet hours (01:00 to 05:00) and a little around them: sleeping
    // speech ignores every code, which would break a toggle's pair and change the days after it.
    const LocalTime now = rt_.localNow();
    const int minute = now.hour * 60 + now.minute;
    if (minute >= 50 && minute < 5 * 60 + 10)
        return;
    const std::string code = kDtmf[dtmfIndex_];
    dtmfIndex_ = (dtmfIndex_ + 1) % std::size(kDtmf);
    // A user keys up, sends the tones and lets go: the node decodes them at the end.
    send("rx on");
    rt_.callAfter(between(2, 6), [this, code] {
        send("dtmf " + code);
        send("rx off");
    });
    if (code == "701")
        rt_.callAfter(25 * kMinute, [this] { send("disconnect W7ABC-R"); });
}

void SoakTraffic::nextChat() {
    send(std::string("chat ") + kChat[chatIndex_]);
    chatIndex_ = (chatIndex_ + 1) % std::size(kChat);
    later(between(2, 6) * kMinute, &SoakTraffic::nextChat);
}

void SoakTraffic::nextVisitor() {
    const std::string call =
        kCallers[static_cast<std::size_t>(between(0, std::size(kCallers) - 1))];
    send("connect " + call);
    const int stay = between(10, 120) * kMinute;
    // Talks now and then while connected.
    for (int at = between(2, 10) * kMinute; at < stay; at += between(5, 15) * kMinute) {
        rt_.callAfter(at, [this] { send("remote on"); });
        rt_.callAfter(at + between(10, 40), [this] { send("remote off"); });
    }
    rt_.callAfter(stay, [this, call] { send("disconnect " + call); });
    later(stay + between(20, 90) * kMinute, &SoakTraffic::nextVisitor);
}

void SoakTraffic::nextBusy() {
    send("busy on");
    rt_.callAfter(between(40, 80) * kMinute, [this] { send("busy off"); });
    later(between(5, 9) * kHour, &SoakTraffic::nextBusy);
}

void SoakTraffic::nextStationList() {
    send("stationlist");
    later(kHour, &SoakTraffic::nextStationList);
}

}  // namespace vox

// Start-up and shutdown of the station.
#include <cmath>
#include <cstdlib>

#include "app/station.h"
#include "base/guarded.h"

namespace vox {

namespace {

using namespace TimerName;

const char* const kDisableAtStart[] = {
    tLabelUpdate,  tWxGet,       tMain,        tAutoConnect, tFanLogic, tTime,
    tDTMFInComing, tStationList, tConnections, tQuietTime,   tID,       tActivity,
    tVoiceAbort,   tChatText,    tBusy,        tRadioBusyID, tWxWarn};

const char* const kEnableAtStart[] = {
    tWxGet,       tMain,        tAutoConnect, tFanLogic,    tTime,       tDTMFInComing,
    tStationList, tConnections, tID,          tLabelUpdate, tQuietTime,  tActivity,
    tVoiceAbort,  tChatText,    tBusy,        tWxWarn,      tRadioBusyID};

const char* const kDisableAtShutdown[] = {
    tMain,        tAutoConnect, tActivity, tTime,        tDTMFInComing, tStationList,
    tConnections, tID,          tWxGet,    tLabelUpdate, tQuietTime,    tVoiceAbort,
    tChatText,    tBusy,        tFreeWx,   tWxWarn,      tRadioBusyID};

}  // namespace

void Station::RefreshEchoLinkDtmfCodes() {
    state_.EchoLinkDtmfCodes.clear();
    guarded("the node's DTMF codes", [&] {
        state_.SoundFilesDir = nodes_.registryValue("Options", "SoundFilesDir");
        for (const char* name : {"DTMFCommands", "DTMFShortCuts"}) {
            // "name=code" items separated by commas.
            const std::string list = nodes_.registryValue("Sysop", name);
            std::size_t start = 0;
            while (start <= list.size()) {
                std::size_t comma = list.find(',', start);
                if (comma == std::string::npos)
                    comma = list.size();
                const std::string item = list.substr(start, comma - start);
                const std::size_t eq = item.find('=');
                if (eq != std::string::npos && eq + 1 < item.size())
                    state_.EchoLinkDtmfCodes.push_back(item.substr(eq + 1));
                start = comma + 1;
            }
        }
    });
    // Without the node's codes nothing of ours is shadowed.
}

bool Station::CheckEchoLink() {
    try {
        node_.attach(nodes_.createNode(*this));
        node_.link().holdStationList();
        setupConfig_ = nodes_.createSetupConfig();
        rt_.waitSeconds(4);
        sysopConfig_ = nodes_.createSysopConfig();
        if (!setupConfig_->sysopMode()) {
            message(MessageIcon::Error, "Voxclock TTS",
                    "EchoLink must be configured in the Sysop Mode.\r\n"
                    "Voxclock TTS will not work in single user mode.");
            node_.release();
            setupConfig_.reset();
            sysopConfig_.reset();
            return false;
        }
        return true;
    } catch (...) {
        node_.release();
        setupConfig_.reset();
        sysopConfig_.reset();
        message(MessageIcon::Error, "Voxclock TTS",
                "Can Not Find EchoLink.\r\nVoxclock TTS will not work without EchoLink.");
        return false;
    }
}

void Station::applyVoiceSettings() {
    Voice* voice = speech_.voice();
    if (!voice)
        return;
    voice->setRate(static_cast<int>(std::lround(std::clamp(settings_.SpeechRate, -2.0, 2.0))));
    voice->setVolume(100);
    voice->setAudioOutput(settings_.SoundDevice);
}

bool Station::CheckSpeechEngine() {
    try {
        speech_.setVoice(createVoice_ ? createVoice_() : nullptr);
        if (!speech_.voice())
            throw VoiceError("no voice");
        applyVoiceSettings();
        engineName_ = speech_.voice()->engineName();
        return true;
    } catch (...) {
        speech_.releaseVoice();
        message(MessageIcon::Error, "Voxclock TTS",
                "Voxclock Can Not Find The TTS Engine.\r\nVoxclock TTS will not work without TTS.");
        return false;
    }
}

void Station::LoadNodeButtons() {
    remoteNodes_.LoadNodeButtons();
}

void Station::createStatusPanels() {
    panel_.setPanel(StatusPanel::Activity, FrontPanel::kRedLed);
    panel_.setPanel(StatusPanel::Dtmf, "DTMF: None");
    panel_.setPanel(StatusPanel::Connected, "");
    panel_.setPanel(StatusPanel::Speech, "");
    panel_.setPanel(StatusPanel::Clock, "Time: ");
    state_.StatusBarCreated = true;
}

Station::StartOutcome Station::start() {
    RefreshEchoLinkDtmfCodes();

    std::string error;
    folder_.ensureExists(&error);
    if (!instanceLock_.acquire(folder_.path("\\voxclock.lock"))) {
        message(MessageIcon::Information, "Voxclock TTS", "Voxclock TTS is already running!");
        return StartOutcome::EndedAtOnce;
    }

    if (hooks_.showSplash)
        hooks_.showSplash();
    settings_.TxDelaySeconds = 0.8;
    rt_.waitSeconds(3);

    if (!CheckEchoLink())
        return StartOutcome::EndedAtOnce;

    std::string nodeCall;
    try {
        nodeCall = setupConfig_->callsign();
        state_.OwnCall = nodeCall.substr(0, nodeCall.find('-'));
    } catch (...) {
        state_.OwnCall.clear();
    }
    identification_.ensureIdFile(nodeCall, cwid_);
    if (hooks_.restoreWindowPosition)
        hooks_.restoreWindowPosition();

    for (const char* name : kDisableAtStart)
        timers_[name].setEnabled(false);
    state_.WxWarnTicks = 0;
    state_.StationListFlag = false;
    state_.DtmfLocked = false;
    state_.FanSeconds = 500;

    ReadINIFile();
    if (settingsMustClose_)
        return StartOutcome::MustClose;

    if (!CheckSpeechEngine())
        return StartOutcome::EndedAtOnce;
    speech_.CheckPTTControl();
    LoadNodeButtons();

    if (hooks_.addTrayIcon)
        hooks_.addTrayIcon();
    if (hooks_.minimize)
        hooks_.minimize();
    createStatusPanels();
    rt_.processPending();

    for (const char* name : kEnableAtStart)
        timers_[name].setEnabled(true);
    if (hooks_.closeSplash)
        hooks_.closeSplash();
    helpFile_ = folder_.path("\\voxclock.chm");
    return StartOutcome::Running;
}

void Station::shutdown() {
    // Ends any wait still under way, and with it every hand-over to the voice.
    rt_.requestQuit();
    // Every step runs whatever the one before it came to.
    guarded("fan timer", [&] { timers_[TimerName::tFanLogic].setEnabled(false); });
    guarded("fan RTS", [&] {
        if (panel_.checked(Control::FanRTS) && node_.present())
            node_.link().setRts(true);
    });
    guarded("fan DTR", [&] {
        if (panel_.checked(Control::FanDTR) && node_.present())
            node_.link().setDtr(true);
    });
    for (const char* name : kDisableAtShutdown)
        guarded(name, [&] { timers_[name].setEnabled(false); });
    guarded("tray icon", [&] {
        if (hooks_.removeTrayIcon)
            hooks_.removeTrayIcon();
    });
    guarded("other windows", [&] {
        if (hooks_.closeOtherWindows)
            hooks_.closeOtherWindows();
    });
    guarded("settings file", [&] { WriteIniFile(); });
    speech_.releasePttAtShutdown();
    guarded("node", [&] { node_.release(); });
    guarded("node configuration", [&] {
        setupConfig_.reset();
        sysopConfig_.reset();
    });
    guarded("voice", [&] { speech_.releaseVoice(); });
    guarded("window position", [&] {
        if (hooks_.storeWindowPosition)
            hooks_.storeWindowPosition();
    });
    instanceLock_.release();
}

}  // namespace vox

// Start-up and shutdown of the station.
#include <cmath>
#include <cstdlib>

#include "app/station.h"

namespace vox {

namespace {

const char* const kDisableAtStart[] = {
    "tLabelUpdate",  "tWxGet",       "tMain",        "tAutoConnect", "tFanLogic", "tTime",
    "tDTMFInComing", "tStationList", "tConnections", "tQuietTime",   "tID",       "tActivity",
    "tVoiceAbort",   "tChatText",    "tBusy",        "tRadioBusyID", "tWxWarn"};

const char* const kEnableAtStart[] = {
    "tWxGet",       "tMain",        "tAutoConnect", "tFanLogic",    "tTime",       "tDTMFInComing",
    "tStationList", "tConnections", "tID",          "tLabelUpdate", "tQuietTime",  "tActivity",
    "tVoiceAbort",  "tChatText",    "tBusy",        "tWxWarn",      "tRadioBusyID"};

const char* const kDisableAtShutdown[] = {
    "tMain",        "tAutoConnect", "tActivity", "tTime",        "tDTMFInComing", "tStationList",
    "tConnections", "tID",          "tWxGet",    "tLabelUpdate", "tQuietTime",    "tVoiceAbort",
    "tChatText",    "tBusy",        "tFreeWx",   "tWxWarn",      "tRadioBusyID"};

// A stored coordinate: whole decimal text, within a sane range.
std::optional<int> parseCoordinate(const std::optional<std::string>& text) {
    if (!text || text->empty() || text->size() > 9)
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text->c_str(), &end, 10);
    if (*end != '\0' || value < -10000000 || value > 10000000)
        return std::nullopt;
    return static_cast<int>(value);
}

template <typename F>
void ignoringFailure(F&& step) {
    try {
        step();
    } catch (...) {
        // Shutdown goes on whatever fails.
    }
}

}  // namespace

void Station::RefreshEchoLinkDtmfCodes() {
    EchoLinkDtmfCodes.clear();
    try {
        SoundFilesDir = nodes_.registryValue("Options", "SoundFilesDir");
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
                    EchoLinkDtmfCodes.push_back(item.substr(eq + 1));
                start = comma + 1;
            }
        }
    } catch (...) {
        // Without the node's codes nothing of ours is shadowed.
    }
}

bool Station::CheckEchoLink() {
    try {
        ELo_ = nodes_.createNode(*this);
        link().holdStationList();
        setupConfig_ = nodes_.createSetupConfig();
        WaitSeconds(4);
        sysopConfig_ = nodes_.createSysopConfig();
        if (!setupConfig_->sysopMode()) {
            message(MessageIcon::Error, "Voxclock TTS",
                    "EchoLink must be configured in the Sysop Mode.\r\n"
                    "Voxclock TTS will not work in single user mode.");
            ELo_.reset();
            setupConfig_.reset();
            sysopConfig_.reset();
            return false;
        }
        return true;
    } catch (...) {
        ELo_.reset();
        setupConfig_.reset();
        sysopConfig_.reset();
        message(MessageIcon::Error, "Voxclock TTS",
                "Can Not Find EchoLink.\r\nVoxclock TTS will not work without EchoLink.");
        return false;
    }
}

bool Station::CheckSpeechEngine() {
    try {
        voice_ = createVoice_ ? createVoice_() : nullptr;
        if (!voice_)
            throw VoiceError("no voice");
        voice_->setRate(static_cast<int>(std::lround(std::clamp(settings_.SpeechRate, -2.0, 2.0))));
        voice_->setVolume(100);
        voice_->setAudioOutput(settings_.SoundDevice);
        engineName_ = voice_->engineName();
        return true;
    } catch (...) {
        voice_.reset();
        message(MessageIcon::Error, "Voxclock TTS",
                "Voxclock Can Not Find The TTS Engine.\r\nVoxclock TTS will not work without TTS.");
        return false;
    }
}

void Station::LoadNodeButtons() {
    for (int i = 0; i < 8; ++i)
        panel_.setCaption("cmdRemoteNode" + std::to_string(i),
                          settings_.RemoteNodes[static_cast<std::size_t>(i)].Node);
}

void Station::restoreWindowPosition() {
    const auto top = parseCoordinate(store_.value("ScrnTop"));
    const auto left = parseCoordinate(store_.value("ScrnLeft"));
    if (top && left) {
        RestoreTop = *top;
        RestoreLeft = *left;
        if (hooks_.placeWindow)
            hooks_.placeWindow(*top, *left);
    }
}

void Station::createStatusPanels() {
    panel_.setPanel(1, FrontPanel::kRedLed);
    panel_.setPanel(2, "DTMF: None");
    panel_.setPanel(3, "");
    panel_.setPanel(4, "");
    panel_.setPanel(5, "Time: ");
    statusBarCreated_ = true;
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
    WaitSeconds(3);

    if (!CheckEchoLink())
        return StartOutcome::EndedAtOnce;

    try {
        const std::string call = setupConfig_->callsign();
        OwnCall = call.substr(0, call.find('-'));
    } catch (...) {
        OwnCall.clear();
    }
    restoreWindowPosition();

    for (const char* name : kDisableAtStart)
        timer(name).setEnabled(false);
    WxWarnTicks = 0;
    StationListFlag = false;
    DtmfLocked = false;
    FanSeconds = 500;

    ReadINIFile();
    if (settingsMustClose_)
        return StartOutcome::MustClose;

    if (!CheckSpeechEngine())
        return StartOutcome::EndedAtOnce;
    CheckPTTControl();
    LoadNodeButtons();

    if (hooks_.addTrayIcon)
        hooks_.addTrayIcon();
    if (hooks_.minimize)
        hooks_.minimize();
    createStatusPanels();
    rt_.processPending();

    for (const char* name : kEnableAtStart)
        timer(name).setEnabled(true);
    if (hooks_.closeSplash)
        hooks_.closeSplash();
    helpFile_ = folder_.path("\\voxclock.chm");
    return StartOutcome::Running;
}

void Station::shutdown() {
    // Ends any wait still under way, and with it every hand-over to the voice.
    rt_.requestQuit();
    ignoringFailure([&] { timer("tFanLogic").setEnabled(false); });
    ignoringFailure([&] {
        if (panel_.checked("FanRTS") && ELo_)
            link().setRts(true);
    });
    ignoringFailure([&] {
        if (panel_.checked("FanDTR") && ELo_)
            link().setDtr(true);
    });
    for (const char* name : kDisableAtShutdown)
        ignoringFailure([&] { timer(name).setEnabled(false); });
    ignoringFailure([&] {
        if (hooks_.removeTrayIcon)
            hooks_.removeTrayIcon();
    });
    ignoringFailure([&] {
        if (hooks_.closeOtherWindows)
            hooks_.closeOtherWindows();
    });
    ignoringFailure([&] { WriteIniFile(); });
    // Nothing may go on the air once PTT is released.
    ignoringFailure([&] { silenceIfQuitting(); });
    // A transmitter left keyed is the one failure a node owner cannot afford: try more than once.
    for (int attempt = 0; attempt < 3 && ELo_; ++attempt) {
        try {
            setPtt(false);
            break;
        } catch (...) {
        }
    }
    ignoringFailure([&] { showPtt(false); });
    ignoringFailure([&] { ELo_.reset(); });
    ignoringFailure([&] {
        setupConfig_.reset();
        sysopConfig_.reset();
    });
    ignoringFailure([&] { voice_.reset(); });
    ignoringFailure([&] {
        if (!hooks_.normalPosition)
            return;
        if (const auto pos = hooks_.normalPosition()) {
            store_.setValue("ScrnTop", std::to_string(pos->first));
            store_.setValue("ScrnLeft", std::to_string(pos->second));
        }
    });
    instanceLock_.release();
}

}  // namespace vox

#include "core/echolink/station_monitors.h"

#include "core/base/node_capabilities.h"

#include <filesystem>

#include "core/base/atomic_file.h"
#include "core/base/guarded.h"
#include "core/base/voice.h"
#include "core/parts/controls.h"
#include "core/parts/speech_output.h"

namespace vox {

namespace {
constexpr const char* kListRefreshed = "List Refreshed";
constexpr const char* kActivityWav = "\\wav\\activity.wav";
constexpr const char* kBusyWav = "\\wav\\busy.wav";
constexpr const char* kNodeList = "\\db\\NodeList.xml";
// The counters never pass 100: they go on from these, so a reminder keeps its rhythm.
constexpr std::int16_t kTickCeiling = 100;
constexpr std::int16_t kActivityRestart = 60;
constexpr std::int16_t kBusyRestart = 50;

std::int16_t advance(std::int16_t ticks, std::int16_t restart) {
    ++ticks;
    return ticks > kTickCeiling ? restart : ticks;
}
}  // namespace

StationMonitors::StationMonitors(PartContext ctx, Timer& stationList, Timer& activity, Timer& busy,
                                 std::function<std::string()> nodeCallsign)
    : ctx_(std::move(ctx)), nodeCallsign_(std::move(nodeCallsign)) {
    stationList.setOnTick([this] { tStationList_Timer(); });
    activity.setOnTick([this] { tActivity_Timer(); });
    busy.setOnTick([this] { tBusy_Timer(); });
}

void StationMonitors::onStationListReceived() {
    guarded("station list received", [&] {
        const std::string own = nodeCallsign_ ? nodeCallsign_() : std::string();
        for (std::string_view call : kStationListExportCalls) {
            if (own.find(call) != std::string::npos) {
                StationListFlag = true;
                ctx_.panel.setPanel(StatusPanel::Speech, kListRefreshed);
                return;
            }
        }
    });
}

void StationMonitors::tStationList_Timer() {
    if (StationListFlag)
        RefreshStationList();
    StationListFlag = false;
}

void StationMonitors::RefreshStationList() {
    guarded("station list refresh", [&] {
        vox::holdStationList(ctx_.node.link());
        ExportStationList();
    });
}

void StationMonitors::ExportStationList() {
    guarded("station list export", [&] {
        const std::string xml = vox::stationListXml(ctx_.node.link());
        ctx_.panel.setPanel(StatusPanel::Speech, "");
        const std::string path = ctx_.folder.findCaseInsensitive(kNodeList);
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
        // A cut-off write leaves the previous list for whoever reads it.
        std::string error;
        if (!writeFileAtomically(path, xml + "\r\n", &error))
            throw std::runtime_error(error);
    });
}

std::string StationMonitors::preparedWav(const std::string& relative) const {
    const std::string path = ctx_.folder.findCaseInsensitive(relative);
    return isRegularFile(path) ? path : std::string();
}

bool StationMonitors::speaking() {
    Voice* voice = ctx_.speech.voice();
    if (!voice)
        throw VoiceError("no voice");
    return voice->runningState() == kSpeaking;
}

void StationMonitors::tActivity_Timer() {
    if (ctx_.state.TTSSleeping)
        return;
    // Only what this tick keyed is unkeyed on a failure: the tick may run inside another part's
    // transmission, which is not ours to cut.
    bool keyed = false;
    const bool ran = guarded("activity reminder", [&] {
        if (ctx_.settings.ActiveReminder == 0)
            return;
        NodeLink& link = ctx_.node.link();
        if (link.connectedCount() == 0)
            return;
        gATTicks = advance(gATTicks, kActivityRestart);
        if (gATTicks < ctx_.settings.ActiveMinutes)
            return;
        // Someone talking at the minute skips this reminder; the count restarts all the same.
        if (!speaking() && link.connectedCount() > 0 && !link.isRemoteAudio() &&
            !link.isReceiving()) {
            const std::string wav = preparedWav(kActivityWav);
            if (!wav.empty()) {
                keyed = true;
                ctx_.speech.KeyTransmitter();
                ctx_.speech.PlayFile(wav);
                ctx_.state.gSamIsTalking = true;
                ctx_.speech.UnkeyTransmitter();
                keyed = false;
            }
        }
        gATTicks = 0;
    });
    if (!ran && keyed)
        ctx_.speech.unkeyAfterFailure();
}

void StationMonitors::tBusy_Timer() {
    if (ctx_.settings.BusyReminder == 0)
        return;
    bool keyed = false;
    const bool ran = guarded("busy reminder", [&] {
        NodeLink& link = ctx_.node.link();
        if (!nodeBusy(link) || ctx_.state.TTSSleeping)
            return;
        gBusyTicks = advance(gBusyTicks, kBusyRestart);
        if (gBusyTicks < ctx_.settings.BusyMinutes)
            return;
        ctx_.state.gSamIsTalking = true;
        ctx_.rt.waitWhile([&] {
            if (!link.isRemoteAudio() && !link.isReceiving() && !speaking())
                return false;
            ctx_.state.gSamIsTalking = false;
            return true;
        });
        const std::string wav = preparedWav(kBusyWav);
        if (!wav.empty()) {
            keyed = true;
            ctx_.speech.KeyTransmitter();
            ctx_.speech.PlayFile(wav);
            ctx_.speech.UnkeyTransmitter();
            keyed = false;
        }
        gBusyTicks = 0;
    });
    if (!ran && keyed)
        ctx_.speech.unkeyAfterFailure();
}

}  // namespace vox

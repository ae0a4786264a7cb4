#include "core/echolink/auto_connect_schedule.h"

#include "core/base/guarded.h"
#include "core/base/local_time.h"
#include "core/base/time_window.h"

namespace vox {
namespace {

std::string nowHhMm(Runtime& rt) {
    return formatHhMm(rt.localNow());
}

}  // namespace

int dayFlag(const RemoteNode& node, int dayOfWeek) {
    switch (dayOfWeek) {
        case 1:
            return node.Sun;
        case 2:
            return node.Mon;
        case 3:
            return node.Tue;
        case 4:
            return node.Wed;
        case 5:
            return node.Thu;
        case 6:
            return node.Fri;
        case 7:
            return node.Sat;
        default:
            return 0;
    }
}

AutoConnectSchedule::AutoConnectSchedule(PartContext ctx, Timer& autoConnect)
    : ctx_(std::move(ctx)) {
    autoConnect.setOnTick([this] { tAutoConnect_Timer(); });
}

const RemoteNode* AutoConnectSchedule::entry(int i) const {
    if (i < 0 || i >= static_cast<int>(ctx_.settings.RemoteNodes.size()))
        return nullptr;
    return &ctx_.settings.RemoteNodes[static_cast<std::size_t>(i)];
}

bool AutoConnectSchedule::InSlot1(int i) const {
    const RemoteNode* n = entry(i);
    return n && inTimeWindow(nowHhMm(ctx_.rt), n->Slot1Start, n->Slot1Stop);
}
bool AutoConnectSchedule::InSlot2(int i) const {
    const RemoteNode* n = entry(i);
    return n && inTimeWindow(nowHhMm(ctx_.rt), n->Slot2Start, n->Slot2Stop);
}
bool AutoConnectSchedule::InSlot3(int i) const {
    const RemoteNode* n = entry(i);
    return n && inTimeWindow(nowHhMm(ctx_.rt), n->Slot3Start, n->Slot3Stop);
}

bool AutoConnectSchedule::dayApplies(int i) const {
    const RemoteNode* n = entry(i);
    if (!n)
        return false;
    if (n->Daily == 1)
        return true;
    return dayFlag(*n, ctx_.rt.localNow().weekday() + 1) == 1;
}

void AutoConnectSchedule::tAutoConnect_Timer() {
    if (ctx_.settings.NodeOffIfQuiet == 1 && ctx_.state.TTSSleeping) {
        ctx_.panel.setPanel(StatusPanel::Speech, "TTS is Sleeping!");
        return;
    }
    if (ctx_.panel.checked(Control::cbAutoOverride))
        return;
    try {
        ctx_.panel.setPanel(StatusPanel::Speech, "Auto Connect Start");
        for (int i = 0; i < Control::kRemoteNodes; ++i) {
            ctx_.rt.processPending();
            // A copy: the dialog may replace the settings while this entry waits.
            const RemoteNode node = *entry(i);
            if (!node.Node.empty() && node.Auto == 1) {
                const bool inSchedule = dayApplies(i) && (InSlot1(i) || InSlot2(i) || InSlot3(i));
                runEntry(node, inSchedule);
            }
            ctx_.rt.processPending();
        }
        ctx_.rt.waitSeconds(2);
        ctx_.panel.setPanel(StatusPanel::Speech, "Auto Connect Done");
    } catch (...) {
        ctx_.panel.setPanel(StatusPanel::Speech, "Auto Connect ERROR!");
        ctx_.log.LogEvent("Error In Auto Connect Proceedure");
    }
}

void AutoConnectSchedule::runEntry(const RemoteNode& node, bool inSchedule) {
    // Only the connect and disconnect requests are allowed to fail: the node may refuse a call
    // and the schedule goes on with the next entry.
    const bool connected = ctx_.node.link().isConnected(node.Node);
    if (inSchedule && !connected) {
        ctx_.log.LogEvent("Voxclock Connect try: " + node.Node);
        guarded("auto connect", [&] { ctx_.node.link().connectTo(node.Node); });
        ctx_.rt.waitSeconds(node.Delay);
    } else if (!inSchedule && connected) {
        ctx_.log.LogEvent("Voxclock Disconnect try: " + node.Node);
        guarded("auto disconnect", [&] { ctx_.node.link().disconnectFrom(node.Node); });
        ctx_.rt.waitSeconds(2);
    }
}

}  // namespace vox

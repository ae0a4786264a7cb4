#include "core/settings/timing_setup.h"

#include "core/settings/number_box.h"

namespace vox {

namespace {

std::int16_t flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

TimingSetupValues loadTimingSetup(const Settings& s) {
    TimingSetupValues v;
    v.txDelay = boxText(s.TxDelaySeconds);
    v.cwId = s.CwIdEnabled == 1;
    v.cwMinutes = boxText(s.CwIdMinutes);
    v.idAfterTime = s.CwIdAfterTime == 1;
    v.voiceIdAfterTime = s.VoiceIdAfterTime == 1;
    v.idPassive = s.CwIdPassive == 1;
    v.toneBurst = s.ToneBurst == 1;
    v.fanMinutes = boxText(s.FanTime);
    v.activeReminder = s.ActiveReminder == 1;
    v.activeMinutes = boxText(s.ActiveMinutes);
    v.busyReminder = s.BusyReminder == 1;
    v.busyMinutes = boxText(s.BusyMinutes);
    v.timeAfterConnDisc = s.TimeAfterConnDisc == 1;
    v.recordMax = boxText(s.RecordMax);
    return v;
}

void saveTimingSetup(const TimingSetupValues& v, Settings& s) {
    s.TxDelaySeconds = realFromBox(v.txDelay);
    s.CwIdEnabled = flag(v.cwId);
    s.CwIdMinutes = wholeFromBox(v.cwMinutes);
    s.CwIdAfterTime = flag(v.idAfterTime);
    s.VoiceIdAfterTime = flag(v.voiceIdAfterTime);
    s.CwIdPassive = flag(v.idPassive);
    s.ToneBurst = flag(v.toneBurst);
    s.FanTime = wholeFromBox(v.fanMinutes);
    s.ActiveReminder = flag(v.activeReminder);
    s.ActiveMinutes = wholeFromBox(v.activeMinutes);
    s.BusyReminder = flag(v.busyReminder);
    s.BusyMinutes = wholeFromBox(v.busyMinutes);
    s.TimeAfterConnDisc = flag(v.timeAfterConnDisc);
    s.RecordMax = wholeFromBox(v.recordMax);
}

}  // namespace vox

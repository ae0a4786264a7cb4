#include "core/settings/voice_setup.h"

#include "core/base/text_helpers.h"

namespace vox {

namespace {

std::int16_t flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

const std::vector<std::string>& speedEntries() {
    static const std::vector<std::string> entries = {"-2", "-1", "0", "1", "2"};
    return entries;
}

VoiceSetupValues loadVoiceSetup(const Settings& s) {
    VoiceSetupValues v;
    v.preamble = s.UsePreamble == 1;
    v.localConnDisc = s.TtsLocalConnDisc == 1;
    v.skipIfBusy = s.SkipIfBusy == 1;
    v.remoteConnDisc = s.TtsRemoteConnDisc == 1;
    v.chatMsg = s.TtsChatMsg == 1;
    v.fullChatText = s.TtsFullChatText == 1;
    v.time24 = s.TtsTime24 == 1;
    v.attVoice = s.VoiceTypeAtt == 1;
    v.neoVoice = s.VoiceTypeAtt == 0;
    // A rate from a hand-edited file that is not one of the entries selects none.
    for (int i = 0; i < static_cast<int>(speedEntries().size()); ++i)
        if (s.SpeechRate == i - 2)
            v.speed = i;
    v.quietStart = s.QuietStart;
    v.quietStop = s.QuietStop;
    v.nodeOffIfQuiet = s.NodeOffIfQuiet == 1;
    return v;
}

bool saveVoiceSetup(const VoiceSetupValues& v, Settings& s) {
    s.UsePreamble = flag(v.preamble);
    s.TtsLocalConnDisc = flag(v.localConnDisc);
    s.SkipIfBusy = flag(v.skipIfBusy);
    s.TtsRemoteConnDisc = flag(v.remoteConnDisc);
    s.TtsChatMsg = flag(v.chatMsg);
    s.TtsFullChatText = flag(v.fullChatText);
    s.TtsTime24 = flag(v.time24);
    s.VoiceTypeAtt = flag(v.attVoice);
    s.QuietStart = TrimSpacesAndTabs(v.quietStart);
    s.QuietStop = TrimSpacesAndTabs(v.quietStop);
    s.NodeOffIfQuiet = flag(v.nodeOffIfQuiet);
    if (v.speed >= 0 && v.speed < static_cast<int>(speedEntries().size()))
        s.SpeechRate = v.speed - 2;
    return s.TtsRemoteConnDisc == 1;
}

VoiceTypeBoxes afterVoiceTypeClick(VoiceTypeBox clicked, bool nowTicked) {
    const bool att = clicked == VoiceTypeBox::Att ? nowTicked : !nowTicked;
    return {att, !att};
}

std::int16_t voiceTypeAttOf(const VoiceTypeBoxes& boxes) {
    return boxes.att ? 1 : 0;
}

}  // namespace vox

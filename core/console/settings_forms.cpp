#include "core/console/settings_forms.h"

#include <map>

#include "core/base/air_log.h"
#include "core/dtmf/dtmf_codes.h"
#include "core/echolink/node_schedule_rules.h"
#include "core/settings/info_file_setup.h"
#include "core/settings/sound_device_setup.h"
#include "core/settings/timing_setup.h"
#include "core/settings/voice_setup.h"
#include "core/weather/wx_setup_rules.h"

namespace vox {
namespace {

// A control of a page over the dialog's values V: how it is shown, how a posted value goes in.
template <class V>
struct Binding {
    FormField field;
    std::function<std::string(const V&)> get;
    std::function<bool(V&, const std::string&)> set;  // false: not a value of this control
};

template <class V>
Binding<V> text(std::string name, std::string label, std::string V::*member,
                std::string group = {}) {
    return {{std::move(name), std::move(label), FormField::Kind::Text, {}, {}, std::move(group)},
            [member](const V& v) { return v.*member; },
            [member](V& v, const std::string& s) {
                v.*member = s;
                return true;
            }};
}

bool checkValue(const std::string& s, bool* on) {
    if (s != "0" && s != "1")
        return false;
    *on = s == "1";
    return true;
}

template <class V>
Binding<V> check(std::string name, std::string label, bool V::*member, std::string group = {}) {
    return {{std::move(name), std::move(label), FormField::Kind::Check, {}, {}, std::move(group)},
            [member](const V& v) { return std::string(v.*member ? "1" : "0"); },
            [member](V& v, const std::string& s) { return checkValue(s, &(v.*member)); }};
}

// A choice: the index, -1 for none.
bool choiceValue(const std::string& s, std::size_t count, int* index) {
    if (s == "-1") {
        *index = -1;
        return true;
    }
    if (s.empty() || s.size() > 3 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int i = std::stoi(s);
    if (i >= static_cast<int>(count))
        return false;
    *index = i;
    return true;
}

template <class V>
Binding<V> choice(std::string name, std::string label, int V::*member,
                  std::vector<std::string> choices) {
    const std::size_t count = choices.size();
    return {
        {std::move(name), std::move(label), FormField::Kind::Choice, {}, std::move(choices), {}},
        [member](const V& v) { return std::to_string(v.*member); },
        [member, count](V& v, const std::string& s) {
            return choiceValue(s, count, &(v.*member));
        }};
}

template <class V>
SettingsPage pageOf(std::string id, std::string title, const V& values,
                    const std::vector<Binding<V>>& bindings) {
    SettingsPage page{std::move(id), std::move(title), {}, {}};
    for (const Binding<V>& b : bindings) {
        FormField f = b.field;
        f.value = b.get(values);
        page.fields.push_back(std::move(f));
    }
    return page;
}

// The posted fields into the values; false (with why) when one is not the page's or not valid.
template <class V>
bool formInto(V& values, const std::vector<Binding<V>>& bindings, const FormFields& form,
              std::vector<std::string>& messages) {
    std::map<std::string, const Binding<V>*> byName;
    for (const Binding<V>& b : bindings)
        byName[b.field.name] = &b;
    for (const auto& [name, value] : form) {
        const auto it = byName.find(name);
        if (it == byName.end()) {
            messages.push_back("This page has no field '" + name + "'; nothing was changed.");
            return false;
        }
        if (!it->second->set(values, value)) {
            messages.push_back(it->second->field.label +
                               ": not a value of this field; nothing "
                               "was changed.");
            return false;
        }
    }
    return true;
}

// --- The pages ---

std::vector<Binding<TimingSetupValues>> timingBindings() {
    using V = TimingSetupValues;
    return {
        text("tbTXdelay", "TX on for (seconds before voice)", &V::txDelay),
        check("cbCWID", "CW ID every", &V::cwId),
        text("tbCWMinutes", "CW ID minutes", &V::cwMinutes),
        check("cbID", "CW ID After Time", &V::idAfterTime),
        check("cbVoiceID", "Voice ID After Time", &V::voiceIdAfterTime),
        check("cbIDisPassive", "CW ID is Passive", &V::idPassive),
        check("cbBurst", "Send Tone Burst", &V::toneBurst),
        text("tbFan", "Fan for (minutes after TX)", &V::fanMinutes),
        check("cbActive", "Activity reminder", &V::activeReminder),
        text("tbActiveMinutes", "Activity reminder minutes", &V::activeMinutes),
        check("cbBusy", "Busy reminder", &V::busyReminder),
        text("tbBusyMinutes", "Busy reminder minutes", &V::busyMinutes),
        check("cbTimeAfterConn", "Time After CONN/DISC", &V::timeAfterConnDisc),
        text("tbRecordMax", "Record MAX (min)", &V::recordMax),
    };
}

// The voice page shows the two voice-type boxes as one choice: exactly one of them is ticked.
struct VoicePageValues {
    VoiceSetupValues v;
    int voiceType = 0;  // 0 = AT&T, 1 = NeoSpeech
};

std::vector<Binding<VoicePageValues>> voiceBindings() {
    using P = VoicePageValues;
    auto flag = [](std::string name, std::string label, bool VoiceSetupValues::*member) {
        return Binding<P>{
            {std::move(name), std::move(label), FormField::Kind::Check, {}, {}, {}},
            [member](const P& p) { return std::string(p.v.*member ? "1" : "0"); },
            [member](P& p, const std::string& s) { return checkValue(s, &(p.v.*member)); }};
    };
    auto line = [](std::string name, std::string label, std::string VoiceSetupValues::*member) {
        return Binding<P>{{std::move(name), std::move(label), FormField::Kind::Text, {}, {}, {}},
                          [member](const P& p) { return p.v.*member; },
                          [member](P& p, const std::string& s) {
                              p.v.*member = s;
                              return true;
                          }};
    };
    const std::size_t speeds = speedEntries().size();
    return {
        flag("cbPreamble", "Use preamble", &VoiceSetupValues::preamble),
        flag("cbLocalConnDisc", "TTS for Local Conn/Disc", &VoiceSetupValues::localConnDisc),
        flag("cbSkipIfBusy", "Skip if busy", &VoiceSetupValues::skipIfBusy),
        flag("cbRemoteConnDisc", "TTS for Remote Conn/Disc", &VoiceSetupValues::remoteConnDisc),
        flag("cbChatMsg", "TTS for chat messages", &VoiceSetupValues::chatMsg),
        flag("cbFullChatText", "Full chat text", &VoiceSetupValues::fullChatText),
        flag("cbTime24", "24-hour time", &VoiceSetupValues::time24),
        {{"optVoiceType", "Voice type", FormField::Kind::Choice, {}, {"AT&T", "NeoSpeech"}, {}},
         [](const P& p) { return std::to_string(p.voiceType); },
         [](P& p, const std::string& s) {
             int i = 0;
             return choiceValue(s, 2, &i) && i >= 0 && ((p.voiceType = i), true);
         }},
        {{"cboSpeed", "Speed", FormField::Kind::Choice, {}, speedEntries(), {}},
         [](const P& p) { return std::to_string(p.v.speed); },
         [speeds](P& p, const std::string& s) { return choiceValue(s, speeds, &p.v.speed); }},
        line("tbQuietStart", "Quiet time start (hh:mm)", &VoiceSetupValues::quietStart),
        line("tbQuietStop", "Quiet time stop (hh:mm)", &VoiceSetupValues::quietStop),
        flag("cbNodeOffIfQuiet", "Node off during quiet time", &VoiceSetupValues::nodeOffIfQuiet),
    };
}

VoicePageValues loadVoicePage(const Settings& s) {
    VoicePageValues p{loadVoiceSetup(s), 0};
    p.voiceType = p.v.attVoice ? 0 : 1;
    return p;
}

struct DtmfPageValues {
    DtmfSetupValues v;
};

std::vector<Binding<DtmfPageValues>> dtmfBindings() {
    using P = DtmfPageValues;
    std::vector<Binding<P>> out;
    const auto& codes = dtmfCodeFields();
    for (std::size_t i = 0; i < codes.size(); ++i)
        out.push_back({{codes[i].box, codes[i].label, FormField::Kind::Text, {}, {}, "Codes"},
                       [i](const P& p) { return p.v.codes[i]; },
                       [i](P& p, const std::string& s) {
                           p.v.codes[i] = s;
                           return true;
                       }});
    const auto& switches = dtmfSwitchFields();
    for (std::size_t i = 0; i < switches.size(); ++i)
        out.push_back(
            {{switches[i].box, switches[i].caption, FormField::Kind::Check, {}, {}, "Switches"},
             [i](const P& p) { return std::string(p.v.switches[i] ? "1" : "0"); },
             [i](P& p, const std::string& s) {
                 bool on = false;
                 if (!checkValue(s, &on))
                     return false;
                 p.v.switches[i] = on;
                 return true;
             }});
    return out;
}

const char* const kStationTypes[] = {
    "Davis Monitor II and VWS",
    "WM-918 and FreeWX",
    "Davis Vantage Pro and VWS Internet Edition",
    "Lacrosse 2310 and VWS",
};

std::vector<Binding<WxSetupValues>> wxBindings() {
    using V = WxSetupValues;
    return {
        text("tbWxURL", "Folder for Weather Exchange Files", &V::wxUrl),
        text("tbWxArea", "TTS Area Name", &V::wxArea),
        text("tbWxNodeCall", "TTS Node Call", &V::wxNodeCall),
        check("cbWxIsMetric", "Metric: Use Celsius - Kilometers - Millibars for weather.",
              &V::metric),
        check("cbWxDTMF", "Use the WX Forecast DTMF code in current WX conditions.",
              &V::forecastHint),
        check("cbWxWarn", "Enable WX Warning Announcements", &V::warnEnabled),
        text("tbWarnMinutes", "WX warning minutes", &V::warnMinutes),
        choice("optStationType", "Home Weather Station Type/Software", &V::stationType,
               std::vector<std::string>(std::begin(kStationTypes), std::end(kStationTypes))),
        text("tbLocalWxFile", "Folder for Weather Station Files", &V::localWxFile),
    };
}

struct RemotePageValues {
    std::array<NodeScheduleRow, 8> rows;
};

std::vector<Binding<RemotePageValues>> remoteBindings() {
    using P = RemotePageValues;
    static const char* const kTimes[] = {"Start 1", "Stop 1",  "Start 2",
                                         "Stop 2",  "Start 3", "Stop 3"};
    static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    std::vector<Binding<P>> out;
    auto textOf = [&out](std::string name, std::string label, std::string group,
                         std::function<std::string&(P&)> at) {
        out.push_back({{std::move(name), std::move(label), FormField::Kind::Text, {}, {}, group},
                       [at](const P& p) { return at(const_cast<P&>(p)); },
                       [at](P& p, const std::string& s) {
                           at(p) = s;
                           return true;
                       }});
    };
    auto checkOf = [&out](std::string name, std::string label, std::string group,
                          std::function<bool&(P&)> at) {
        out.push_back({{std::move(name), std::move(label), FormField::Kind::Check, {}, {}, group},
                       [at](const P& p) { return std::string(at(const_cast<P&>(p)) ? "1" : "0"); },
                       [at](P& p, const std::string& s) { return checkValue(s, &at(p)); }});
    };
    for (std::size_t i = 0; i < 8; ++i) {
        const std::string n = "n" + std::to_string(i) + "_";
        const std::string group = "Node " + std::to_string(i + 1);
        textOf(n + "node", "Node", group, [i](P& p) -> std::string& { return p.rows[i].node; });
        checkOf(n + "auto", "Auto", group, [i](P& p) -> bool& { return p.rows[i].autoConnect; });
        for (std::size_t t = 0; t < 6; ++t)
            textOf(n + "t" + std::to_string(t), kTimes[t], group,
                   [i, t](P& p) -> std::string& { return p.rows[i].times[t]; });
        textOf(n + "delay", "Delay", group, [i](P& p) -> std::string& { return p.rows[i].delay; });
        checkOf(n + "daily", "Daily", group, [i](P& p) -> bool& { return p.rows[i].daily; });
        for (std::size_t d = 0; d < 7; ++d)
            checkOf(n + "d" + std::to_string(d), kDays[d], group,
                    [i, d](P& p) -> bool& { return p.rows[i].days[d]; });
        textOf(n + "dtmf", "DTMF", group, [i](P& p) -> std::string& { return p.rows[i].dtmf; });
    }
    return out;
}

RemotePageValues loadRemotePage(const Settings& s) {
    RemotePageValues p;
    for (std::size_t i = 0; i < 8; ++i)
        p.rows[i] = loadNodeScheduleRow(s.RemoteNodes[i]);
    return p;
}

struct SoundPageValues {
    int selected = -1;
};

struct InfoPageValues {
    std::string folder;
    std::string file;
};

std::vector<Binding<SoundPageValues>> soundBindings(const std::vector<std::string>& entries) {
    return {choice("lstDevice", "Sound device", &SoundPageValues::selected, entries)};
}

std::vector<Binding<InfoPageValues>> infoBindings() {
    using V = InfoPageValues;
    return {text("tbFolder", "Folder", &V::folder), text("tbFile", "File name", &V::file)};
}

// "c:\info\a.txt" or "/home/me/a.txt" into its folder and file name.
InfoPageValues loadInfoPage(const Settings& s) {
    const std::size_t cut = s.InfoFilePath.find_last_of("/\\");
    if (cut == std::string::npos)
        return {s.InfoFolder, s.InfoFilePath};
    return {s.InfoFilePath.substr(0, cut), s.InfoFilePath.substr(cut + 1)};
}

}  // namespace

const std::vector<std::string>& settingsPageIds() {
    static const std::vector<std::string> ids = {"timing", "voice", "sound", "info",
                                                 "dtmf",   "wx",    "remote"};
    return ids;
}

std::optional<SettingsPage> settingsPage(const std::string& id, const Settings& s,
                                         const SettingsPageContext& context) {
    if (id == "timing")
        return pageOf(id, "Timing and ID", loadTimingSetup(s), timingBindings());
    if (id == "voice")
        return pageOf(id, "Voice and quiet time", loadVoicePage(s), voiceBindings());
    if (id == "dtmf")
        return pageOf(id, "DTMF Setup", DtmfPageValues{loadDtmfSetup(s)}, dtmfBindings());
    if (id == "wx")
        return pageOf(id, "Weather Setup", loadWxSetup(s), wxBindings());
    if (id == "remote")
        return pageOf(id, "Remote Nodes", loadRemotePage(s), remoteBindings());
    if (id == "sound") {
        const SoundDeviceList list = loadSoundDevice(context.soundOutputs, s);
        SettingsPage page =
            pageOf(id, "Sound Device", SoundPageValues{list.selected}, soundBindings(list.entries));
        if (!list.note.empty())
            page.notes.push_back(list.note);
        return page;
    }
    if (id == "info") {
        SettingsPage page = pageOf(id, "INFO File", loadInfoPage(s), infoBindings());
        page.notes.push_back("The INFO file now: " +
                             (s.InfoFilePath.empty() ? std::string("none") : s.InfoFilePath));
        return page;
    }
    return std::nullopt;
}

FormApplied applySettingsForm(const std::string& id, const FormFields& form, Settings& s,
                              const SettingsPageContext& context) {
    FormApplied out;
    auto& m = out.messages;
    if (id == "timing") {
        TimingSetupValues v = loadTimingSetup(s);
        if (!formInto(v, timingBindings(), form, m))
            return out;
        saveTimingSetup(v, s);
    } else if (id == "voice") {
        VoicePageValues p = loadVoicePage(s);
        const bool remoteWasOn = p.v.remoteConnDisc;
        if (!formInto(p, voiceBindings(), form, m))
            return out;
        p.v.attVoice = p.voiceType == 0;
        p.v.neoVoice = p.voiceType == 1;
        if (saveVoiceSetup(p.v, s) && !remoteWasOn)
            m.push_back(kRemoteConnDiscNotice);
    } else if (id == "dtmf") {
        DtmfPageValues p{loadDtmfSetup(s)};
        if (!formInto(p, dtmfBindings(), form, m))
            return out;
        // Only a code the node cannot carry to us whole is refused, as in the dialog.
        const auto& fields = dtmfCodeFields();
        for (std::size_t i = 0; i < p.v.codes.size() && context.dtmfRefusal; ++i) {
            const std::string code = normalizeDtmfCode(p.v.codes[i]);
            if (code.empty())
                continue;
            if (const std::string why = context.dtmfRefusal(code); !why.empty()) {
                m.push_back(std::string(fields[i].label) + ": '" + code +
                            "' cannot be used on SvxLink: " + why + ".");
                return out;
            }
        }
        saveDtmfSetup(p.v, s);
    } else if (id == "wx") {
        WxSetupValues v = loadWxSetup(s);
        if (!formInto(v, wxBindings(), form, m))
            return out;
        Settings changed = s;
        const WxSetupOutcome outcome = saveWxSetup(v, changed, context.programRoot);
        for (const WxSetupMessage& message : outcome.messages)
            m.push_back(message.text);
        if (outcome.keepOpen)
            return out;
        s = changed;
    } else if (id == "remote") {
        const RemotePageValues before = loadRemotePage(s);
        RemotePageValues p = before;
        if (!formInto(p, remoteBindings(), form, m))
            return out;
        for (std::size_t i = 0; i < 8; ++i) {
            // The day boxes change as the dialog's clicks change them: a day ticked clears Daily,
            // Daily ticked clears the days.
            NodeScheduleRow row = p.rows[i];
            row.daily = before.rows[i].daily;
            row.days = before.rows[i].days;
            for (std::size_t d = 0; d < 7; ++d)
                if (p.rows[i].days[d] != before.rows[i].days[d])
                    setDay(row, static_cast<int>(d), p.rows[i].days[d]);
            if (p.rows[i].daily != before.rows[i].daily)
                setDaily(row, p.rows[i].daily);
            s.RemoteNodes[i] = saveNodeScheduleRow(row);
        }
    } else if (id == "sound") {
        const SoundDeviceList list = loadSoundDevice(context.soundOutputs, s);
        SoundPageValues v{list.selected};
        if (!formInto(v, soundBindings(list.entries), form, m))
            return out;
        saveSoundDevice(v.selected, s);
    } else if (id == "info") {
        InfoPageValues v = loadInfoPage(s);
        if (!formInto(v, infoBindings(), form, m))
            return out;
        infoPickerSelect(v.folder, v.file, s);
    } else {
        m.push_back("There is no settings page '" + id + "'.");
        return out;
    }
    out.ok = true;
    return out;
}

std::string settingsPageJson(const SettingsPage& page) {
    static const char* const kKinds[] = {"text", "check", "choice"};
    std::string out =
        "{\"id\":" + jsonQuote(page.id) + ",\"title\":" + jsonQuote(page.title) + ",\"fields\":[";
    for (std::size_t i = 0; i < page.fields.size(); ++i) {
        const FormField& f = page.fields[i];
        out += (i ? ",{" : "{");
        out += "\"name\":" + jsonQuote(f.name) + ",\"label\":" + jsonQuote(f.label) +
               ",\"kind\":\"" + kKinds[static_cast<int>(f.kind)] +
               "\",\"value\":" + jsonQuote(f.value) + ",\"group\":" + jsonQuote(f.group) +
               ",\"choices\":[";
        for (std::size_t c = 0; c < f.choices.size(); ++c)
            out += (c ? "," : "") + jsonQuote(f.choices[c]);
        out += "]}";
    }
    out += "],\"notes\":[";
    for (std::size_t i = 0; i < page.notes.size(); ++i)
        out += (i ? "," : "") + jsonQuote(page.notes[i]);
    return out + "]}";
}

}  // namespace vox

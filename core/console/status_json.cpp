#include "core/console/status_json.h"

#include <algorithm>
#include <map>

#include "core/base/air_log.h"
#include "core/parts/controls.h"

namespace vox {
namespace {

bool isIn(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::string controlLabel(const std::string& name) {
    static const std::map<std::string, std::string> kLabels = {
        {Control::cbHour, "Time: Hour"},
        {Control::cbHalfHour, "Time: Half Hour"},
        {Control::cbQuarterHour, "Time: Quarter Hour"},
        {Control::cbFileHour, "File: Hour"},
        {Control::cbFileHalfHour, "File: Half Hour"},
        {Control::cbFileQuarterHour, "File: Quarter Hour"},
        {Control::cbAutoOverride, "No Auto Connects"},
        {Control::cbNoText, "No TTS Text Msg"},
        {Control::FanRTS, "Fan RTS"},
        {Control::FanDTR, "Fan DTR"},
        {Control::CMDTime, "Xmit Time"},
        {Control::CMDFile, "Xmit File"},
        {Control::Command1, "CW ID"},
        {Control::Command2, "Get WX"},
        {Control::cbRecordStart, "Record Start"},
        {Control::cbRecordStop, "Record Stop"},
        {Control::cbRecordPlayback, "Record Play"},
        {Control::lblTwo, "Silence the voice"},
    };
    const auto it = kLabels.find(name);
    return it == kLabels.end() ? name : it->second;
}

bool consolePressable(const std::string& name) {
    return isIn(Control::buttons(), name) || isIn(Control::checkBoxes(), name) ||
           name == Control::lblTwo;
}

std::string statusJson(const FrontPanel& panel, const NodeNow& node) {
    std::string out = "{\"panels\":[";
    for (int i = 1; i <= 5; ++i)
        out += (i > 1 ? "," : "") + jsonQuote(panel.panel(i));
    out += "],\"ptt\":";
    out += panel.pttShownOn() ? "true" : "false";
    out += ",\"pttCaption\":" + jsonQuote(panel.caption(Control::lblPTT));
    out += ",\"fileName\":" + jsonQuote(panel.caption(Control::tbFileName));
    out += ",\"fan\":" + jsonQuote(panel.caption(Control::frFan));
    out += ",\"node\":{\"known\":" + std::string(node.known ? "true" : "false") +
           ",\"receiving\":" + (node.receiving ? "true" : "false") +
           ",\"transmitting\":" + (node.transmitting ? "true" : "false") +
           ",\"connected\":" + std::to_string(node.connected) + "}";
    out += ",\"controls\":[";
    bool first = true;
    auto add = [&](const std::string& name, const char* kind) {
        out += first ? "{" : ",{";
        first = false;
        std::string caption = panel.caption(name);
        out += "\"name\":" + jsonQuote(name) + ",\"label\":" + jsonQuote(controlLabel(name)) +
               ",\"kind\":\"" + kind + "\",\"caption\":" + jsonQuote(caption) +
               ",\"enabled\":" + (panel.enabled(name) ? "true" : "false") + ",\"checked\":" +
               (std::string(kind) == "check" && panel.checked(name) ? "true" : "false") + "}";
    };
    for (const std::string& name : Control::buttons())
        add(name, "button");
    for (const std::string& name : Control::checkBoxes())
        add(name, "check");
    return out + "]}";
}

}  // namespace vox

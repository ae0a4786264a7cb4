#include "core/weather/wx_setup_rules.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/base/program_folder.h"
#include "core/base/text_helpers.h"
#include "core/settings/number_box.h"
#include "core/weather/wx_numbers.h"
#include "core/weather/wx_paths.h"

namespace vox {

namespace {

// The regular files a folder lists; nothing when it cannot be listed at all.
std::optional<int> countFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(folder, ec) || !fs::is_directory(folder, ec))
        return ec ? std::nullopt : std::optional<int>(0);
    int files = 0;
    for (fs::directory_iterator it(folder, ec), end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::error_code fileError;
        if (it->is_regular_file(fileError))
            ++files;
    }
    if (ec)
        return std::nullopt;
    return files;
}

}  // namespace

WxSetupValues loadWxSetup(const Settings& s) {
    WxSetupValues v;
    v.wxUrl = s.WxUrl;
    v.wxArea = s.WxArea;
    v.wxNodeCall = s.WxNodeCall;
    v.metric = s.WxIsMetric == 1;
    v.forecastHint = s.WxDtmf == 1;
    v.warnEnabled = s.WxWarnEnabled == 1;
    v.warnMinutes = std::to_string(s.WxWarnMinutes);
    v.stationType = s.WxStationType >= 0 && s.WxStationType <= 3 ? s.WxStationType : -1;
    v.localWxFile = s.LocalWxFile;
    return v;
}

std::int16_t warnMinutesFromText(const std::string& text) {
    return wholeFromBox(text);
}

WxSetupOutcome saveWxSetup(const WxSetupValues& v, Settings& s, const std::string& programRoot) {
    WxSetupOutcome out;
    auto warn = [&](const char* text, bool icon) { out.messages.push_back({icon, text}); };

    s.WxUrl = withFolderSeparator(TrimBlanks(v.wxUrl));
    s.WxArea = TrimBlanks(v.wxArea);
    s.WxNodeCall = TrimBlanks(v.wxNodeCall);
    s.LocalWxFile = TrimBlanks(v.localWxFile);
    s.WxIsMetric = v.metric ? 1 : 0;
    s.WxDtmf = v.forecastHint ? 1 : 0;
    s.WxWarnEnabled = v.warnEnabled ? 1 : 0;
    s.WxWarnMinutes = warnMinutesFromText(v.warnMinutes);

    const WxFolder exchange = resolveWxFolder(s.WxUrl, programRoot);
    if (!exchange.ok || !isRegularFile(wxFileIn(exchange.path, "csv\\data.csv")))
        warn(kWxExchangeMissing, false);

    if (v.stationType >= 0)
        s.WxStationType = static_cast<std::int16_t>(v.stationType);
    if (s.LocalWxFile.empty()) {
        s.WxStationType = 0;
        return out;
    }
    s.LocalWxFile = withFolderSeparator(s.LocalWxFile);
    const WxFolder station = resolveWxFolder(s.LocalWxFile, programRoot);
    const std::optional<int> files = station.ok ? countFiles(station.path) : std::nullopt;
    if (!files) {
        warn(kStationFolderUnusable, true);
        out.keepOpen = true;
        return out;
    }
    if (*files == 0) {
        warn(kStationFolderEmpty, true);
        return out;
    }
    if (s.WxStationType == 1) {
        if (!isRegularFile(wxFileIn(station.path, "freewx.dat")))
            warn(kFreeWxLogMissing, true);
    } else if (!isRegularFile(wxFileIn(station.path, "daily.txt"))) {
        warn(kVwsLogMissing, true);
    }
    return out;
}

}  // namespace vox

#include "core/settings/voice_conf.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/base/atomic_file.h"
#include "core/base/text_helpers.h"

namespace vox {

namespace {

std::string trimmed(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// "[voice]  # note" -> "voice"; empty for a line that is not a section line.
std::string sectionOf(const std::string& line) {
    std::string t = trimmed(line);
    if (t.empty() || t[0] != '[')
        return {};
    const std::size_t close = t.find(']');
    return close == std::string::npos ? std::string() : LowerAscii(trimmed(t.substr(1, close - 1)));
}

std::string keyOf(const std::string& line) {
    const std::string t = trimmed(line);
    const std::size_t eq = t.find('=');
    if (t.empty() || t[0] == '#' || t[0] == ';' || eq == std::string::npos)
        return {};
    return LowerAscii(trimmed(t.substr(0, eq)));
}

}  // namespace

bool writeVoiceChoice(const std::string& confPath, const VoiceChoice& choice, std::string* error) {
    std::vector<std::string> lines;
    if (std::filesystem::exists(confPath)) {
        std::ifstream in(confPath, std::ios::binary);
        if (!in) {
            if (error)
                *error = confPath + ": cannot be read";
            return false;
        }
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    const std::string engineLine = "engine = " + choice.engine;
    const std::string nameLine = "name = " + choice.name;
    bool inVoice = false, haveSection = false, engineDone = false, nameDone = false;
    std::size_t sectionEnd = lines.size();  // where missing keys of [voice] go
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string section = sectionOf(lines[i]);
        if (!section.empty()) {
            if (inVoice)
                sectionEnd = i;
            inVoice = section == "voice";
            if (inVoice) {
                haveSection = true;
                sectionEnd = lines.size();
            }
            continue;
        }
        if (!inVoice)
            continue;
        const std::string key = keyOf(lines[i]);
        if (key == "engine" && !engineDone) {
            lines[i] = engineLine;
            engineDone = true;
        } else if (key == "name" && !nameDone) {
            lines[i] = nameLine;
            nameDone = true;
        }
    }
    if (!haveSection) {
        if (!lines.empty() && !trimmed(lines.back()).empty())
            lines.emplace_back();
        lines.emplace_back("[voice]");
        sectionEnd = lines.size();
    }
    std::vector<std::string> missing;
    if (!engineDone)
        missing.push_back(engineLine);
    if (!nameDone)
        missing.push_back(nameLine);
    // After the section's last key, not after the blank lines that lead to the next section.
    while (sectionEnd > 0 && haveSection && sectionEnd <= lines.size() &&
           trimmed(lines[sectionEnd - 1]).empty())
        --sectionEnd;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), missing.begin(),
                 missing.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return writeFileAtomically(confPath, text, error);
}

}  // namespace vox

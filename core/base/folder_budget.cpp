#include "core/base/folder_budget.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

namespace vox {
namespace {

constexpr char kStemPattern[] = "0000-00-00_00-00-00.000";
constexpr std::size_t kStemLength = sizeof kStemPattern - 1;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Time of keying and sequence number of a recorder's name; nullopt for any other name.
std::optional<std::pair<std::string, long>> recordingKey(const std::string& name) {
    const std::string suffix = ".wav";
    if (name.size() < kStemLength + suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    for (std::size_t i = 0; i < kStemLength; ++i) {
        if (kStemPattern[i] == '0' ? !isDigit(name[i]) : name[i] != kStemPattern[i])
            return std::nullopt;
    }
    const std::string rest = name.substr(kStemLength, name.size() - kStemLength - suffix.size());
    long sequence = 1;
    if (!rest.empty()) {
        // "_N", N from 2 without leading zeros: what the recorder counts up to.
        if (rest.size() < 2 || rest.size() > 10 || rest[0] != '_' || rest[1] == '0' ||
            !std::all_of(rest.begin() + 1, rest.end(), isDigit))
            return std::nullopt;
        sequence = std::stol(rest.substr(1));
        if (sequence < 2)
            return std::nullopt;
    }
    return std::make_pair(name.substr(0, kStemLength), sequence);
}

}  // namespace

std::string airRecordingName(const LocalTime& t, int sequence) {
    char stem[48];
    std::snprintf(stem, sizeof stem, "%04d-%02d-%02d_%02d-%02d-%02d.%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    std::string name = stem;
    if (sequence > 1)
        name += "_" + std::to_string(sequence);
    return name + ".wav";
}

bool isAirRecordingName(const std::string& name) {
    return recordingKey(name).has_value();
}

std::vector<std::string> airRecordingsOverBudget(const std::vector<FolderFile>& files,
                                                 std::uint64_t maxBytes, const std::string& keep) {
    if (maxBytes == 0)
        return {};
    struct Owned {
        std::pair<std::string, long> key;
        const FolderFile* file;
    };
    std::vector<Owned> owned;
    std::uint64_t total = 0;
    for (const FolderFile& f : files) {
        if (auto key = recordingKey(f.name)) {
            owned.push_back({std::move(*key), &f});
            total += f.bytes;
        }
    }
    std::sort(owned.begin(), owned.end(),
              [](const Owned& a, const Owned& b) { return a.key < b.key; });
    std::vector<std::string> drop;
    for (const Owned& o : owned) {
        if (total <= maxBytes)
            break;
        if (o.file->name == keep)
            continue;
        drop.push_back(o.file->name);
        total -= o.file->bytes;
    }
    return drop;
}

}  // namespace vox

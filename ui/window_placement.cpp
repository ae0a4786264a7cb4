#include "ui/window_placement.h"

#include <cstdlib>
#include <string>

namespace vox {

namespace {

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

}  // namespace

std::optional<WindowPlacement::Place> WindowPlacement::restore() {
    const auto top = parseCoordinate(store_.value("ScrnTop"));
    const auto left = parseCoordinate(store_.value("ScrnLeft"));
    if (!top || !left)
        return std::nullopt;
    place_ = Place{*top, *left};
    return place_;
}

void WindowPlacement::store(const std::optional<Place>& normalPosition) {
    if (!normalPosition)
        return;
    store_.setValue("ScrnTop", std::to_string(normalPosition->first));
    store_.setValue("ScrnLeft", std::to_string(normalPosition->second));
}

}  // namespace vox

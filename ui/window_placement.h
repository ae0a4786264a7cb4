#pragma once

#include <optional>
#include <utility>

#include "core/base/user_store.h"

namespace vox {

// Where the main window comes back to, in twips (top, left), kept in the per-user store under
// "ScrnTop" and "ScrnLeft". The station only says when: restore at start-up, store at shutdown.
class WindowPlacement {
public:
    using Place = std::pair<int, int>;

    explicit WindowPlacement(UserStore& store) : store_(store) {}

    // Start-up: the stored place, when both values are sane; it is then the place to come back
    // to. Nothing when none was stored (the window keeps its own).
    std::optional<Place> restore();
    // The window moved or was resized in the normal state.
    void moved(int top, int left) { place_ = Place{top, left}; }
    // The place to come back to (RestoreTop, RestoreLeft); nothing before the window had one.
    std::optional<Place> current() const { return place_; }
    // Shutdown: stores the window's position when it is in the normal state; a hidden or
    // minimized window stores nothing.
    void store(const std::optional<Place>& normalPosition);

private:
    UserStore& store_;
    std::optional<Place> place_;
};

}  // namespace vox

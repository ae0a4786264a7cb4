#pragma once

#include <exception>
#include <string_view>

namespace vox {

// Writes one line about a failure that ended a piece of work to the debug output (standard error
// when VOXCLOCK_DEBUG is set in the environment, nothing otherwise).
void traceFailure(std::string_view what, std::string_view why);

// Runs one piece of work. A failure ends that piece only: it is traced and the caller goes on.
// True when the work ran to its end.
template <class F>
bool guarded(std::string_view what, F&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        traceFailure(what, e.what());
    } catch (...) {
        traceFailure(what, "unknown failure");
    }
    return false;
}

}  // namespace vox

#pragma once

#include <functional>

#include "core/settings/settings.h"

namespace vox {

// A change a dialog makes to the station's own record at a click, before and without OK; it
// reaches the settings file at the next save.
using StoreNow = std::function<void(const std::function<void(Settings&)>& change)>;

}  // namespace vox

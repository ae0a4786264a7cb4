#pragma once

#include <string>
#include <vector>

#include "echolink/svxlink_conf.h"
#include "settings/settings.h"

namespace vox {

// The DTMF commands this station answers: its codes, the remote-node codes, and the bulletin and
// info ranges when they are allowed. SvxLink's Tcl hook swallows exactly these, so SvxLink does
// not act on them too. Upper case, sorted, without repeats.
std::vector<std::string> svxlinkOwnCodes(const Settings& settings);

// The file the Tcl hook reads: a comment line, then one code a line.
std::string svxlinkOwnCodesText(const std::vector<std::string>& codes);

// What the node's registry would say, from [svxlink]: SvxLink's module codes stand for the
// node's own DTMF codes, and there is no sound-files folder. The first code of the node's list is
// never compared, so a placeholder comes first and every configured code counts.
std::string svxlinkRegistryValue(const SvxlinkConf& conf, const std::string& key,
                                 const std::string& name);

}  // namespace vox

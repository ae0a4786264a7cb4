#pragma once

#include <string>
#include <vector>

#include "core/settings/settings.h"
#include "core/settings/svxlink_conf.h"

namespace vox {

// The DTMF commands this station answers: its codes, the remote-node codes, and the bulletin and
// info ranges when they are allowed. SvxLink's Tcl hook swallows exactly these, so SvxLink does
// not act on them too. Upper case, sorted, without repeats.
std::vector<std::string> svxlinkOwnCodes(const Settings& settings);

// What SvxLink 19.09 hands to its Tcl hook (dtmf_cmd_received) of what a caller keys: "#" ends
// the command and never arrives; A, B and C are dropped; D starts a new command (a macro), so it
// arrives only as a code's first key; a run of stars alone arrives as one "*". Digits and stars
// otherwise arrive as keyed.
// Empty when `code` arrives whole, else why it cannot.
std::string svxlinkCodeRefusal(const std::string& code);

// The setup's codes that cannot arrive whole on SvxLink, one line each, naming the field.
std::vector<std::string> svxlinkCodeProblems(const Settings& settings);

// The command a caller keys on SvxLink to stop the voice at once: "A" never arrives there.
inline constexpr const char* kSvxlinkVoiceStop = "*";

// On SvxLink, the defaults that cannot arrive ("00#", "BADC") become ones that can; a code the
// owner chose is left alone. True when something changed.
bool applySvxlinkCodeDefaults(Settings& settings);

// The file the Tcl hook reads: a comment line, then one code a line.
std::string svxlinkOwnCodesText(const std::vector<std::string>& codes);

// What the node's registry would say, from [svxlink]: SvxLink's module codes stand for the
// node's own DTMF codes, and there is no sound-files folder. The first code of the node's list is
// never compared, so a placeholder comes first and every configured code counts.
std::string svxlinkRegistryValue(const SvxlinkConf& conf, const std::string& key,
                                 const std::string& name);

}  // namespace vox

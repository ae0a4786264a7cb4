#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/program_folder.h"
#include "core/settings/cw_id_conf.h"

namespace vox {

// The dots and dashes of one character (".-" for 'A', letter case ignored), or empty when it has
// no Morse code.
std::string morseCode(char c);

// TEXT as it will be sent: upper case, characters without a code dropped, each run of blanks one
// word space, no blanks at either end. Empty when nothing can be sent.
std::string cwSendableText(const std::string& text);

// Samples of one dot at this speed: 1.2 / wpm seconds.
int cwDotSamples(int wpm, int sampleRate);

// TEXT in Morse as 16-bit mono samples: a dash is three dots, one dot between the elements of a
// character, three between characters and seven between words; each element rises and falls
// over about 5 ms so the transmitter does not click. Nothing before the first element or after
// the last. Settings outside their limits are brought inside them. False with a message when
// nothing in TEXT can be sent, the sample rate is not usable or the result would be longer than
// kCwMaxSeconds.
bool renderCw(const std::string& text, const CwIdConf& conf, int sampleRate,
              std::vector<int16_t>* samples, std::string* error = nullptr);

// What the identification sends for the node's call: the whole call with the suffix, else the
// part before the '-' ("N0CALL-L" -> "N0CALL").
std::string cwIdText(const std::string& nodeCall, const CwIdConf& conf);

// Gives the program folder a CW identification ("wav/id.wav") for the node's call when it has
// none in any letter case; anything already there is the owner's and is kept. On writing one,
// *logLine is "CW ID generated for CALL at N wpm", else it is left empty. False with a message
// when there is no call to send or the file cannot be written.
bool ensureCwIdFile(const ProgramFolder& folder, const std::string& call, const CwIdConf& conf,
                    std::string* logLine, std::string* error);

}  // namespace vox

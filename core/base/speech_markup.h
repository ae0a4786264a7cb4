#pragma once

#include <string>
#include <vector>

namespace vox {

// One run of a spoken text after its markup has been read.
struct SpeechRun {
    enum class Kind { Speech, Spell, Silence };
    Kind kind = Kind::Speech;
    std::string text;   // Speech and Spell: the characters to say (markup removed, unescaped)
    int silenceMs = 0;  // Silence: its length, clamped to kMaxSilenceMs

    bool operator==(const SpeechRun&) const = default;
};

constexpr int kMaxSilenceMs = 10000;

// Splits a text into runs. "<xml>" and "</xml>" only delimit; "<spell>".."</spell>" gives a Spell
// run (an unclosed one runs to the end of the text); "<silence msec="N"/>" gives a Silence run.
// Anything else, including malformed tags, is spoken as written.
std::vector<SpeechRun> parseSpeechMarkup(const std::string& text);

// The text with every piece of markup removed (what a listener hears as words).
std::string stripSpeechMarkup(const std::string& text);

// The speech and spell runs as one SSML document for an SSML engine: text escaped, spell runs as
// <say-as interpret-as="characters">. Silences are left out: the caller splits the runs at them
// and renders the pause itself (an engine's break element is not exact at the edges of a text).
std::string speechRunsToSsml(const std::vector<SpeechRun>& runs);

// The speech and spell runs as plain text for an engine that reads no markup: spell runs become
// their characters one by one, letters in upper case ("a" alone would be the article), a '-' as
// "dash", each between blanks. Control characters become blanks; silences are left out as above.
std::string speechRunsToPlainText(const std::vector<SpeechRun>& runs);

}  // namespace vox

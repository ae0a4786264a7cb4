// The voices side by side, for scripts/measure-voices.sh.
//   voice_bench synth SENTENCES OUTDIR   every installed voice says every sentence (one per line,
//                                        with markup) into OUTDIR/VOICE/NN.wav, 16 kHz mono, and
//                                        OUTDIR/VOICE/speed holds "audio-s cpu-s wall-s"
//   voice_bench sentences AIRLOG...     the texts the station spoke in the air logs, one sentence
//                                        a line
//   voice_bench score SENTENCES HYPS     the word error rate of a recogniser's hypotheses
//                                        ("words (NN score)" per line) against the sentences
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "adapters/audio_convert.h"
#include "adapters/audio_output.h"
#include "adapters/speech_engines.h"
#include "adapters/synthesis_thread.h"
#include "core/base/speech_markup.h"
#include "core/base/wav_file.h"

namespace vox {
namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One sentence as the station's voice renders it: the engine's words, our pauses.
std::vector<std::int16_t> render(SpeechEngine& engine, const std::string& text) {
    std::vector<std::int16_t> out;
    const SpeechEngine::Sink sink = [&out](const std::int16_t* s, std::size_t n) {
        out.insert(out.end(), s, s + n);
        return true;
    };
    std::vector<SpeechRun> words;
    for (const SpeechRun& run : parseSpeechMarkup(text)) {
        if (run.kind != SpeechRun::Kind::Silence) {
            words.push_back(run);
            continue;
        }
        engine.synthesize(words, 0, 100, sink);
        words.clear();
        out.insert(out.end(), static_cast<std::size_t>(run.silenceMs) * kVoiceSampleRate / 1000, 0);
    }
    engine.synthesize(words, 0, 100, sink);
    return out;
}

// What lies above 8 kHz must go before the rate comes down to 16 kHz, or it folds back into the
// speech band (espeak-ng's formants reach up there): a windowed-sinc low pass at 7.6 kHz.
std::vector<float> lowPassFor16k(const std::vector<std::int16_t>& samples) {
    constexpr int kTaps = 63;
    constexpr double kPi = 3.14159265358979323846;
    const double cutoff = 7600.0 / kVoiceSampleRate;
    std::vector<double> taps(kTaps);
    double sum = 0;
    for (int i = 0; i < kTaps; ++i) {
        const double n = i - (kTaps - 1) / 2.0;
        const double sinc = n == 0 ? 2 * cutoff : std::sin(2 * kPi * cutoff * n) / (kPi * n);
        const double window = 0.54 - 0.46 * std::cos(2 * kPi * i / (kTaps - 1));
        taps[static_cast<std::size_t>(i)] = sinc * window;
        sum += taps[static_cast<std::size_t>(i)];
    }
    std::vector<float> out(samples.size());
    for (std::size_t k = 0; k < samples.size(); ++k) {
        double acc = 0;
        for (int i = 0; i < kTaps; ++i) {
            const auto j = static_cast<std::ptrdiff_t>(k) + i - (kTaps - 1) / 2;
            if (j >= 0 && j < static_cast<std::ptrdiff_t>(samples.size()))
                acc += taps[static_cast<std::size_t>(i)] * samples[static_cast<std::size_t>(j)];
        }
        out[k] = static_cast<float>(acc / sum / 32768.0);
    }
    return out;
}

int synth(const std::string& sentencesPath, const std::string& outDir) {
    const std::vector<std::string> sentences = readLines(sentencesPath);
    for (const EngineVoices& engine : installedVoices()) {
        for (const std::string& name : engine.voices) {
            const OpenedEngine opened = openSpeechEngine({engine.engine, name});
            const std::string dir = outDir + "/" + engine.engine + "-" + name;
            std::filesystem::create_directories(dir);
            double audio = 0, cpu = 0, wall = 0;
            std::ofstream ctl(dir + "/ctl");
            for (std::size_t i = 0; i < sentences.size(); ++i) {
                std::vector<std::int16_t> samples;
                double taskCpu = 0;
                const auto start = std::chrono::steady_clock::now();
                SynthesisThread::instance().runAndWait([&] {
                    const double c0 = threadCpuSeconds();
                    samples = render(*opened.engine, sentences[i]);
                    taskCpu = threadCpuSeconds() - c0;
                });
                wall +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                cpu += taskCpu;
                audio += static_cast<double>(samples.size()) / kVoiceSampleRate;
                MonoResampler resampler(kVoiceSampleRate, 16000);
                const std::vector<float> mono = lowPassFor16k(samples);
                resampler.push(mono.data(), mono.size());
                resampler.finish();
                char id[16];
                std::snprintf(id, sizeof id, "s%02zu", i);
                writeWavPcm16Mono(dir + "/" + id + ".wav", 16000, resampler.output());
                ctl << id << "\n";
            }
            std::ofstream(dir + "/speed") << audio << " " << cpu << " " << wall << "\n";
            std::printf("%s\n", dir.c_str());
        }
    }
    return 0;
}

// Words for comparison: lower case, numbers as words, times as spoken, and runs of single letters
// joined ("p m" and "pm", "a b c" and "abc" are the same words to a listener).
const char* const kOnes[] = {"zero",    "one",     "two",       "three",    "four",
                             "five",    "six",     "seven",     "eight",    "nine",
                             "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                             "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
const char* const kTens[] = {"",      "",      "twenty",  "thirty", "forty",
                             "fifty", "sixty", "seventy", "eighty", "ninety"};

void numberWords(long n, std::vector<std::string>& out) {
    if (n >= 1000) {
        numberWords(n / 1000, out);
        out.push_back("thousand");
        if (n % 1000)
            numberWords(n % 1000, out);
        return;
    }
    if (n >= 100) {
        out.push_back(kOnes[n / 100]);
        out.push_back("hundred");
        if (n % 100)
            numberWords(n % 100, out);
        return;
    }
    if (n >= 20) {
        out.push_back(kTens[n / 10]);
        if (n % 10)
            out.push_back(kOnes[n % 10]);
        return;
    }
    out.push_back(kOnes[n]);
}

std::vector<std::string> normalised(const std::string& text) {
    std::vector<std::string> raw;
    std::string word;
    auto flush = [&] {
        if (!word.empty())
            raw.push_back(word);
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // "3:45" and "30.01" stay one word.
        const bool inNumber = (c == ':' || c == '.') && !word.empty() &&
                              std::isdigit(static_cast<unsigned char>(word.back())) &&
                              i + 1 < text.size() &&
                              std::isdigit(static_cast<unsigned char>(text[i + 1]));
        if (std::isalnum(c) || c == '\'' || inNumber) {
            // "3:45PM" -> "3:45" "pm"; "N0CALL" stays one word until spelled below.
            if (!word.empty() && std::isdigit(static_cast<unsigned char>(word.back())) &&
                std::isalpha(c) && word.find(':') != std::string::npos)
                flush();
            word += static_cast<char>(std::tolower(c));
        } else {
            flush();
        }
    }
    flush();
    std::vector<std::string> words;
    for (const std::string& w : raw) {
        const bool allDigits = std::all_of(
            w.begin(), w.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        const auto colon = w.find(':');
        const auto point = w.find('.');
        if (point != std::string::npos) {
            // "30.01": thirty point zero one.
            numberWords(std::stol("0" + w.substr(0, point)), words);
            words.push_back("point");
            for (const char c : w.substr(point + 1))
                if (std::isdigit(static_cast<unsigned char>(c)))
                    numberWords(c - '0', words);
        } else if (colon != std::string::npos) {
            numberWords(std::stol("0" + w.substr(0, colon)), words);
            const long minutes = std::stol("0" + w.substr(colon + 1));
            if (minutes > 0 && minutes < 10) {
                words.push_back("oh");
                numberWords(minutes, words);
            } else if (minutes >= 10) {
                numberWords(minutes, words);
            }
        } else if (allDigits && w.size() <= 6) {
            numberWords(std::stol(w), words);
        } else if (std::any_of(w.begin(), w.end(), [](char c) {
                       return std::isdigit(static_cast<unsigned char>(c));
                   })) {
            // A call such as "n0call": said character by character.
            for (const char c : w) {
                if (std::isdigit(static_cast<unsigned char>(c)))
                    numberWords(c - '0', words);
                else
                    words.push_back(std::string(1, c));
            }
        } else {
            words.push_back(w);
        }
    }
    // Join runs of single letters.
    std::vector<std::string> joined;
    for (const std::string& w : words) {
        const bool letter =
            w.size() == 1 && std::isalpha(static_cast<unsigned char>(w[0])) && w != "a" && w != "i";
        if (letter && !joined.empty() && joined.back().rfind("#", 0) == 0) {
            joined.back() += w;
            continue;
        }
        joined.push_back(letter ? "#" + w : w);
    }
    for (std::string& w : joined)
        if (w.rfind("#", 0) == 0)
            w.erase(0, 1);
    return joined;
}

std::size_t editDistance(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diag = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diag = up;
        }
    }
    return row[b.size()];
}

// The JSON string value of key in an air-log line, unescaped; empty when it has none.
std::string jsonText(const std::string& line, const std::string& key) {
    const std::string start = "\"" + key + "\":\"";
    auto at = line.find(start);
    if (at == std::string::npos)
        return {};
    std::string out;
    for (at += start.size(); at < line.size() && line[at] != '"'; ++at) {
        if (line[at] != '\\' || at + 1 >= line.size()) {
            out += line[at];
            continue;
        }
        const char e = line[++at];
        if (e == 'n' || e == 'r' || e == 't')
            out += ' ';
        else if (e == 'u' && at + 4 < line.size()) {
            const auto code = std::stoul(line.substr(at + 1, 4), nullptr, 16);
            out += code < 0x80 ? static_cast<char>(code) : ' ';
            at += 4;
        } else
            out += e;
    }
    return out;
}

// What the station said in its air logs: each text it spoke and each text file it read, cut into
// sentences, each once, in order.
int sentencesOf(int count, char** logs) {
    std::vector<std::string> seen;
    for (int i = 0; i < count; ++i) {
        for (const std::string& line : readLines(logs[i])) {
            if (line.find("\"ev\":\"speak\"") == std::string::npos &&
                line.find("\"ev\":\"play\"") == std::string::npos)
                continue;
            const std::string text = jsonText(line, "text");
            std::size_t from = 0;
            while (from < text.size()) {
                std::size_t end = text.find(". ", from);
                end = end == std::string::npos ? text.size() : end + 1;
                std::string sentence = text.substr(from, end - from);
                from = end;
                const std::string words = stripSpeechMarkup(sentence);
                if (std::count_if(words.begin(), words.end(), [](char c) {
                        return std::isalpha(static_cast<unsigned char>(c));
                    }) < 3)
                    continue;
                sentence.erase(0, sentence.find_first_not_of(' '));
                if (std::find(seen.begin(), seen.end(), sentence) == seen.end())
                    seen.push_back(sentence);
            }
        }
    }
    for (const std::string& s : seen)
        std::printf("%s\n", s.c_str());
    return 0;
}

int score(const std::string& sentencesPath, const std::string& hypsPath) {
    const std::vector<std::string> sentences = readLines(sentencesPath);
    std::map<std::size_t, std::string> hyps;
    for (const std::string& line : readLines(hypsPath)) {
        // "words words (s07 -1234)"
        const auto open = line.rfind('(');
        if (open == std::string::npos || line.size() < open + 4 || line[open + 1] != 's')
            continue;
        hyps[std::stoul(line.substr(open + 2))] = line.substr(0, open);
    }
    std::size_t errors = 0, total = 0;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        const std::vector<std::string> ref = normalised(stripSpeechMarkup(sentences[i]));
        const std::vector<std::string> hyp = normalised(hyps.count(i) ? hyps[i] : "");
        errors += editDistance(ref, hyp);
        total += ref.size();
    }
    std::printf("%.1f %zu %zu\n",
                total ? 100.0 * static_cast<double>(errors) / static_cast<double>(total) : 0.0,
                errors, total);
    return 0;
}

}  // namespace
}  // namespace vox

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 4 && mode == "synth")
        return vox::synth(argv[2], argv[3]);
    if (argc >= 3 && mode == "sentences")
        return vox::sentencesOf(argc - 2, argv + 2);
    if (argc == 4 && mode == "score")
        return vox::score(argv[2], argv[3]);
    if (argc == 3 && mode == "words") {
        for (const std::string& line : vox::readLines(argv[2])) {
            for (const std::string& w : vox::normalised(vox::stripSpeechMarkup(line)))
                std::printf("%s ", w.c_str());
            std::printf("\n");
        }
        return 0;
    }
    std::fprintf(stderr,
                 "usage: voice_bench sentences AIRLOG... | synth SENTENCES OUTDIR | score "
                 "SENTENCES HYPS | words SENTENCES\n");
    return 2;
}

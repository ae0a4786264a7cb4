#include "adapters/say_command.h"

#include <cstdio>
#include <memory>
#include <string>

#include "adapters/engine_voice.h"
#include "adapters/plain_event_loop.h"
#include "adapters/speech_engines.h"
#include "adapters/system_clock.h"
#include "adapters/wav_stream_output.h"
#include "core/base/program_folder.h"
#include "core/base/runtime.h"
#include "core/settings/program_conf.h"

namespace vox {

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: voxclock say [--home DIR] [--wav FILE] [--engine E] [--voice V] TEXT\n");
    return 2;
}

}  // namespace

int runSayCommand(int argc, char** argv) {
    std::string home;
    std::string wavPath;
    std::string text;
    VoiceChoice wanted;
    bool haveText = false;
    // argv[0] is the program, argv[1] may be the sub-command itself.
    int i = 1;
    if (i < argc && std::string(argv[i]) == "say")
        ++i;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--home" || arg == "--wav") && i + 1 < argc) {
            (arg == "--home" ? home : wavPath) = argv[++i];
        } else if ((arg == "--engine" || arg == "--voice") && i + 1 < argc) {
            (arg == "--engine" ? wanted.engine : wanted.name) = argv[++i];
        } else if (arg.rfind("--", 0) == 0 || haveText) {
            return usage();
        } else {
            text = arg;
            haveText = true;
        }
    }
    if (!haveText)
        return usage();

    // No Qt object here: a line said into a file costs no more than espeak-ng's own command
    // line. Only a sound device brings Qt Multimedia in, through the sound plugin.
    SystemClock clock;
    PlainEventLoop loop(clock);
    Runtime runtime(clock, loop);
    try {
        const ProgramFolder folder(ProgramFolder::choose(home));
        std::shared_ptr<WavStreamOutput> file;
        if (!wavPath.empty())
            file = std::make_shared<WavStreamOutput>();
        // Without --engine and --voice, the folder's own choice; a voice without its engine is
        // one of the default engine's.
        if (wanted.engine.empty() && wanted.name.empty())
            wanted = loadProgramConf(folder.findCaseInsensitive("\\voxclock.conf")).conf.voice;
        else if (wanted.engine.empty())
            wanted.engine = kEspeakEngineName;
        const OpenedEngine engine = openSpeechEngine(wanted);
        if (!engine.note.empty())
            std::fprintf(stderr, "%s\n", engine.note.c_str());
        EngineVoice voice(clock, loop, folder.root(), engine.engine, file);
        std::string error;
        if (file && !file->open(wavPath, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        // Without a sound device the air recorder takes the text, as one transmission.
        const bool onAir = file == nullptr &&
                           voice.audioOutput() + 1 == static_cast<int>(voice.audioOutputs().size());
        if (onAir)
            voice.transmitterKeyed(true);
        voice.speak(text, kSpeakAsync);
        runtime.waitWhile([&] { return voice.runningState() == kSpeaking; });
        if (onAir) {
            voice.transmitterKeyed(false);
            const std::string recorded = voice.airRecorder().lastError();
            if (!recorded.empty()) {
                std::fprintf(stderr, "%s\n", recorded.c_str());
                return 1;
            }
            std::printf("%s\n", voice.airRecorder().lastFile().c_str());
        }
        if (file && !file->finish(&error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    } catch (const VoiceError& e) {
        std::fprintf(stderr, "voice: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace vox

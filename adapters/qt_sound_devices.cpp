// The sound plugin (voxclock-sound.so): the machine's sound devices through Qt Multimedia, loaded
// only by a process that has a sound server to ask (sound_devices.h).
#include <QCoreApplication>
#include <QMediaDevices>

#include "adapters/audio_sink_output.h"
#include "adapters/sound_devices.h"

namespace vox {

namespace {

class QtSoundDevices : public SoundDevices {
public:
    std::vector<std::string> names() override {
        std::vector<std::string> out;
        for (const QAudioDevice& device : QMediaDevices::audioOutputs())
            out.push_back(device.description().toStdString());
        return out;
    }

    std::shared_ptr<AudioOutput> open(int index) override {
        const QList<QAudioDevice> devices = QMediaDevices::audioOutputs();
        if (index < 0 || index >= devices.size())
            return nullptr;
        return std::make_shared<AudioSinkOutput>(devices[index]);
    }
};

}  // namespace

}  // namespace vox

extern "C" __attribute__((visibility("default"))) vox::SoundDevices* voxclock_sound_devices() {
    // Qt Multimedia needs an application object; the commands without Qt (say) have none.
    static int argc = 1;
    static char name[] = "voxclock";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv);  // for the life of the process
    static vox::QtSoundDevices devices;
    return &devices;
}

#include "src/desktop_program.h"

#include <iostream>
#include <map>
#include <memory>
#include <string>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>

#include "backends/sim/sim_node_system.h"
#include "core/base/node_capabilities.h"
#include "src/program_host.h"
#include "ui/about_window.h"
#include "ui/document_window.h"
#include "ui/dtmf/dtmf_pad.h"
#include "ui/dtmf/dtmf_setup_page.h"
#include "ui/echolink/node_skeds_page.h"
#include "ui/help_document.h"
#include "ui/log_menu.h"
#include "ui/lookup/node_lookup_desk.h"
#include "ui/main_window.h"
#include "ui/message_box_ui.h"
#include "ui/message_boxes.h"
#include "ui/mixer_launcher.h"
#include "ui/pictures.h"
#include "ui/settings/info_file_dialog.h"
#include "ui/settings/sound_device_page.h"
#include "ui/settings/timing_page.h"
#include "ui/settings/voice_page.h"
#include "ui/sim/simulator_window.h"
#include "ui/splash_window.h"
#include "ui/tray_icon.h"
#include "ui/weather/wx_setup_page.h"
#include "ui/window_placement.h"

namespace vox {
namespace {

// The voice the program host creates; the station only knows the engine's full name once the
// voice exists, after the splash is up.
const char* const kEngine = "espeak-ng";

void centre(QWidget* w) {
    w->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - w->rect().center());
}

// The owner's manual, at a section when one is named.
void openManual(const QString& section, const UrlOpener& open, QWidget* parent) {
    const QString manual = findManual(manualCandidates());
    if (manual.isEmpty()) {
        openMessageBox(parent, QMessageBox::Information, QStringLiteral("Voxclock TTS"),
                       QStringLiteral("Can't find the manual (manual.html) beside the program."));
        return;
    }
    QUrl url = QUrl::fromLocalFile(manual);
    if (!section.isEmpty())
        url.setFragment(section);
    open(url);
}

// The windows around the station. Declared after the host so they go first.
struct Desktop {
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<MixerLauncher> mixer;
    QPointer<SplashWindow> splash;
    QPointer<AboutWindow> about;
    QPointer<SimulatorWindow> simulator;
    // The Setup menu's dialogs by their menu item, each made when first opened.
    std::map<std::string, QPointer<QDialog>> setup;
    QPointer<DtmfPad> dtmfPad;
    QPointer<DocumentWindow> document;
    // The desktop's opener, else our own window.
    UrlOpener open;
    bool trayAvailable = false;
    std::unique_ptr<WindowPlacement> placement;
    std::unique_ptr<NodeLookupDesk> lookup;
};

WindowHooks hooksFor(Desktop& d, ProgramHost& host) {
    WindowHooks h;
    h.showSplash = [&d, &host] {
        const std::string engine = host.station().engineName();
        d.splash = new SplashWindow(QString::fromStdString(engine.empty() ? kEngine : engine));
        d.splash->setAttribute(Qt::WA_DeleteOnClose);
        centre(d.splash);
        d.splash->show();
    };
    h.closeSplash = [&d] {
        if (d.splash)
            d.splash->close();
    };
    h.addTrayIcon = [&d] {
        if (d.trayAvailable)
            d.tray->add();
    };
    h.removeTrayIcon = [&d] { d.tray->remove(); };
    h.minimize = [&d] { d.main->goToTray(); };
    h.restoreWindowPosition = [&d] {
        if (const auto place = d.placement->restore())
            d.main->placeAt(place->first, place->second);
    };
    h.storeWindowPosition = [&d] { d.placement->store(d.main->normalPosition()); };
    h.closeOtherWindows = [&d] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != d.main.get() && w->isVisible())
                w->close();
    };
    h.focusDummy = [&d] { d.main->focusDummy(); };
    return h;
}

// A setup dialog's OK: the station takes the changed record as a whole.
SetupDialog::Apply applyTo(Station& st) {
    return [&st](const Settings& changed) {
        const ApplyOutcome outcome = st.applySettings(changed);
        return ApplyResult{outcome.ok, outcome.message};
    };
}

// A setup dialog of the station: its notes go to the event log.
SetupDialog* forStation(SetupDialog* dialog, Station& st) {
    dialog->setLog([&st](const std::string& line) { st.eventLog().LogEvent(line); });
    return dialog;
}

// The voice dialog's engine and voice: OK switches the station's voice and keeps the choice in
// voxclock.conf; "Test" speaks on the sound device chosen, without the transmitter.
VoiceEngineHooks voiceEngineHooks(VoiceSwitch& voices, Station& st) {
    return {voices.choices(), [&voices] { return voices.current(); },
            [&voices, &st](const VoiceChoice& choice) {
                std::string error;
                const bool written = voices.choose(choice, &error);
                if (!voices.note().empty())
                    st.eventLog().LogEvent(voices.note());
                if (!written)
                    st.eventLog().LogEvent("Voice: " + error);
            },
            [&voices, &st](const VoiceChoice& choice, int rate) {
                voices.test(choice, rate, st.settings().SoundDevice);
            }};
}

// A click that stores at once changes the station's record; the file follows at the next save.
StoreNow storeInto(Station& st) {
    return [&st](const std::function<void(Settings&)>& change) { change(st.settings()); };
}

SetupDialog::Current currentOf(Station& st) {
    return [&st] { return st.settings(); };
}

// The Setup menu's dialogs: how each is made.
using MakeDialog = QDialog* (*)(ProgramHost& host, Station& st, QWidget* parent);
const std::pair<const char*, MakeDialog> kSetupDialogs[] = {
    {"mnuSetupRemoteNodes",
     [](ProgramHost&, Station& st, QWidget* parent) -> QDialog* {
         return createNodeSkedsDialog(currentOf(st), applyTo(st), parent);
     }},
    {"mnuSetupDTMF",
     [](ProgramHost& host, Station& st, QWidget* parent) -> QDialog* {
         return createDtmfSetupDialog(currentOf(st), applyTo(st), parent,
                                      DtmfCodeRefusal(host.backend().codeRefusal()));
     }},
    {"mnuSetupWx",
     [](ProgramHost&, Station& st, QWidget* parent) -> QDialog* {
         return forStation(
             createWxSetupDialog(currentOf(st), applyTo(st), st.folder().root(), parent), st);
     }},
    {"mnuTiming",
     [](ProgramHost&, Station& st, QWidget* parent) -> QDialog* {
         return forStation(createTimingDialog(currentOf(st), applyTo(st), storeInto(st), parent),
                           st);
     }},
    {"mnuVoice",
     [](ProgramHost& host, Station& st, QWidget* parent) -> QDialog* {
         return createVoiceDialog(currentOf(st), applyTo(st), storeInto(st), parent, {},
                                  voiceEngineHooks(host.voices(), st));
     }},
    {"mnuSetupSoundDevice",
     [](ProgramHost&, Station& st, QWidget* parent) -> QDialog* {
         return createSoundDeviceDialog(
             currentOf(st), applyTo(st),
             [&st] { return st.voice() ? st.voice()->audioOutputs() : std::vector<std::string>{}; },
             parent);
     }},
    {"mnuSetupWavFile", [](ProgramHost&, Station& st, QWidget* parent) -> QDialog* {
         return new InfoFileDialog(currentOf(st), applyTo(st), storeInto(st), st.folder().root(),
                                   parent);
     }}};

// The window's controls that need more of the node than every node does: on a node without
// the capability they are greyed, and their tooltip says why.
std::map<std::string, QString> lackingControls(ProgramHost& host) {
    struct Need {
        NodeCapability capability;
        const char* control;
    };
    static constexpr Need kNeeds[] = {
        {NodeCapability::Recording, "cbRecordStart"},
        {NodeCapability::Recording, "cbRecordStop"},
        {NodeCapability::Recording, "cbRecordPlayback"},
        {NodeCapability::SerialLines, "FanRTS"},
        {NodeCapability::SerialLines, "FanDTR"},
    };
    NodeSystem& node = host.backend().node();
    const NodeCapabilities has = node.capabilities();
    std::map<std::string, QString> lacking;
    for (const Need& need : kNeeds) {
        // [fan] serial_port gives the fan lines of its own.
        if (need.capability == NodeCapability::SerialLines && host.fanOnOwnLines())
            continue;
        if (!has.has(need.capability))
            lacking[need.control] =
                QString::fromStdString(lackingReason(node.name(), need.capability));
    }
    return lacking;
}

MainWindowActions actionsFor(Desktop& d, ProgramHost& host) {
    Station& st = host.station();
    MainWindowActions a;
    a.press = [&st](const std::string& c) { st.press(c); };
    a.saveSettings = [&st] { st.WriteIniFile(); };
    a.exitProgram = [&st] { st.exitProgram(); };
    a.movedInNormalState = [&d](int top, int left) { d.placement->moved(top, left); };
    a.restorePosition = [&d] { return d.placement->current().value_or(std::make_pair(0, 0)); };
    a.viewLog = [&d, &st] { viewEventLog(st.eventLog(), d.open); };
    a.deleteLog = [&st] { deleteEventLog(st.eventLog()); };
    a.openHelp = [&d] { openManual({}, d.open, d.main.get()); };
    a.openManualSection = [&d](const QString& section) {
        openManual(section, d.open, d.main.get());
    };
    a.showAbout = [&d] {
        if (!d.about) {
            d.about = new AboutWindow(d.main.get());
            d.about->setAttribute(Qt::WA_DeleteOnClose);
        }
        d.about->show();
        d.about->raise();
    };
    a.openMixer = [&d](bool recording) { d.mixer->open(recording); };
    for (const auto& [menu, make] : kSetupDialogs)
        a.dialogs[menu] = [&d, &host, menu, make] {
            QPointer<QDialog>& dialog = d.setup[menu];
            if (!dialog)
                dialog = make(host, host.station(), d.main.get());
            dialog->open();
        };
    // The pad's sequence waits for the dispatcher's next poll, like one heard over the air.
    a.dialogs["mnuDTMF"] = [&d, &st] {
        showDtmfPad(d.dtmfPad, d.main.get(),
                    [&st](const std::string& digits) { st.dtmf().injectFromPad(digits); });
    };
    a.dialogs["mnuSearch"] = [&d] { d.lookup->show(d.main.get()); };
    a.lacking = lackingControls(host);
    SimNodeSystem* sim = host.backend().simulator();
    if (!sim)
        return a;
    a.showSimulator = [&d, sim] {
        if (!d.simulator) {
            d.simulator = new SimulatorWindow(
                SimulatorDesk{[sim](const std::string& l) { return sim->handleLine(l); },
                              [sim] { return simulatorViewOf(sim->state()); }},
                d.main.get());
            d.simulator->setAttribute(Qt::WA_DeleteOnClose);
        }
        d.simulator->show();
        d.simulator->raise();
        d.simulator->activateWindow();
    };
    return a;
}

// Screenshots for the documentation: once the station runs, with a station or two connected.
void scheduleScreenshots(Desktop& d, ProgramHost& host, const QString& dir) {
    Runtime& rt = host.runtime();
    auto shoot = std::make_shared<std::function<void()>>();
    *shoot = [&d, &host, &rt, dir, shoot] {
        if (!host.station().timer("tMain").enabled()) {
            rt.callAfter(0.5, *shoot);
            return;
        }
        if (SimNodeSystem* sim = host.backend().simulator()) {
            sim->handleLine("connect K1ABC");
            sim->handleLine("connect W2XYZ-L");
        }
        if (QAction* simulator = d.main->menuAction("mnuSimulator"))
            simulator->trigger();
        d.main->restoreFromTray();
        d.main->menuAction("mnuSetupDTMF")->trigger();
        for (const char* menu : {"mnuSetupRemoteNodes", "mnuTiming", "mnuVoice",
                                 "mnuSetupSoundDevice", "mnuSetupWavFile"})
            d.main->menuAction(menu)->trigger();
        d.main->menuAction("mnuDTMF")->trigger();
        for (const char* key : {"cmdDTMF1", "cmdDTMF1", "cmdDTMF10"})
            if (auto* button = d.dtmfPad->findChild<QAbstractButton*>(QString::fromLatin1(key)))
                button->click();
        // What voxclock.conf's lookup_url answers for W1AW.
        d.lookup->show(d.main.get())->lookUp(QStringLiteral("W1AW"));
        rt.callAfter(2.5, [&d, &host, dir] {
            QDir().mkpath(dir);
            auto save = [&dir](QWidget* w, const char* name) {
                return w && w->grab().save(dir + QStringLiteral("/") + QString::fromLatin1(name));
            };
            const bool ok = save(d.main.get(), "main-window.png") &&
                            save(d.simulator, "simulator-window.png") &&
                            save(d.setup["mnuSetupDTMF"], "dtmf-setup.png") &&
                            save(d.dtmfPad, "dtmf-pad.png") &&
                            save(d.setup["mnuSetupRemoteNodes"], "remote-nodes.png") &&
                            save(d.setup["mnuTiming"], "timing.png") &&
                            save(d.setup["mnuVoice"], "voice.png") &&
                            save(d.setup["mnuSetupSoundDevice"], "sound-device.png") &&
                            save(d.setup["mnuSetupWavFile"], "info-file.png");
            if (!save(d.lookup->window(), "lookup.png"))
                std::cerr << "the lookup window's screenshot failed" << std::endl;
            std::cerr << (ok ? "screenshots saved in " : "screenshots failed in ")
                      << dir.toStdString() << std::endl;
            host.station().exitProgram();
        });
    };
    rt.callAfter(0.5, *shoot);
}

}  // namespace

int runDesktop(int argc, char** argv, const std::string& home) {
    QApplication app(argc, argv);
    // Hidden in the tray is still running.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(appIcon());

    MessageBoxUserInterface messages;
    ProgramHost host(home, &messages);
    // A stop signal must not wait behind a modal box for a click that never comes.
    host.onStopRequested = [&messages] { messages.closeAll(); };
    // A start-up box holds start-up, not the runtime; once running, no box holds anything.
    messages.setWait(
        [&host](const std::function<bool()>& open) { host.runtime().waitWhile(open); });
    host.onRunning = [&messages] { messages.setStationRunning(true); };
    Desktop d;
    d.placement = std::make_unique<WindowPlacement>(host.userStore());
    std::string error;
    if (!host.prepare(hooksFor(d, host), &error)) {
        std::cerr << error << std::endl;
        return 1;
    }
    d.trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    // The requester is the node's call at the moment of each lookup.
    d.lookup = std::make_unique<NodeLookupDesk>(
        host.station().web(), host.station().webConf().lookupUrl,
        [&host] { return host.station().nodeCallsign(); },
        ProgramVersion{VOXCLOCK_VERSION_MAJOR, VOXCLOCK_VERSION_MINOR, VOXCLOCK_VERSION_PATCH},
        [&host](const std::string& line) { host.station().eventLog().LogEvent(line); });
    d.main =
        std::make_unique<MainWindow>(host.station().panel(), actionsFor(d, host), d.trayAvailable);
    d.open = documentOpener(desktopUrlOpener(), d.document, d.main.get());
    d.tray = std::make_unique<TrayIcon>(*d.main);
    d.mixer = std::make_unique<MixerLauncher>(d.main.get());
    if (SimNodeSystem* sim = host.backend().simulator())
        sim->setOnChange([&d] {
            if (d.simulator)
                d.simulator->refresh();
        });
    if (!d.trayAvailable)
        std::cerr << "No system tray: the window stays on the desktop." << std::endl;

    const QString shots = qEnvironmentVariable("VOXCLOCK_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        scheduleScreenshots(d, host, shots);

    const int status = host.exec();
    d.main->closeForShutdown();
    return status;
}

}  // namespace vox

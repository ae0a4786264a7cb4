#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/base/node_link.h"

namespace vox {

class AirLog;
class AudioOutput;
class Runtime;
class Station;
class SimNodeSystem;
struct ProgramConf;

// What a node backend gets from the program that builds it.
struct NodeBackendContext {
    Runtime& rt;
    const ProgramConf& conf;
    AirLog& air;
    // What the backend reports about itself (gone, back, a line it could not read).
    std::function<void(const std::string&)> report;
};

// One node backend, as the program holds it: the node port and what the backend adds around
// the station. src/node_backends.cpp chooses one by [node] backend.
class NodeBackend {
public:
    virtual ~NodeBackend() = default;
    virtual NodeSystem& node() = 0;
    // Where the voice's audio goes; null: the sound output the owner chose.
    virtual std::shared_ptr<AudioOutput> voiceOutput() { return nullptr; }
    // Once the station exists; once start-up is over and it runs; once it has stopped.
    virtual void stationBuilt(Station&) {}
    virtual void stationRunning(Station&) {}
    virtual void stationStopped() {}
    // A control command ("connect K1ABC") from standard input or sim.sock: the answer.
    virtual std::string controlLine(const std::string& line) = 0;
    // The simulated node, for its window; null on a real node.
    virtual SimNodeSystem* simulator() { return nullptr; }
    // Empty when a DTMF code reaches the station whole through this node, else why it cannot;
    // empty function: every code does.
    virtual std::function<std::string(const std::string&)> codeRefusal() const { return {}; }
};

}  // namespace vox

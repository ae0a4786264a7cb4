#pragma once

#include <stdexcept>

#include "core/base/node_capabilities.h"
#include "core/parts/node_access.h"

namespace vox {

// The two handshake lines the fan hangs on. A line that cannot be set throws (a std::exception);
// the fan's tick then fails alone and the next tick tries again.
class FanLines {
public:
    virtual ~FanLines() = default;
    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
};

// The lines of the node's own radio port, through the node link: the fan's default.
class NodeFanLines : public FanLines {
public:
    explicit NodeFanLines(NodeAccess& node) : node_(node) {}
    void setRts(bool on) override { vox::setRts(node_.link(), on); }
    void setDtr(bool on) override { vox::setDtr(node_.link(), on); }

private:
    NodeAccess& node_;
};

}  // namespace vox

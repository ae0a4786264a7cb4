#pragma once

#include <memory>

#include "core/base/node_link.h"

namespace vox {

// The node link while the node is there. Every call on a node that has gone fails like any other
// node failure (NodeError), so a tick that runs after the node closed cannot touch a dead link.
class NodeAccess {
public:
    NodeLink& link() {
        if (!link_)
            throw NodeError("EchoLink", "The node is not there");
        return *link_;
    }
    bool present() const { return link_ != nullptr; }
    NodeLink* get() { return link_.get(); }
    void attach(std::unique_ptr<NodeLink> link) { link_ = std::move(link); }
    void release() { link_.reset(); }

private:
    std::unique_ptr<NodeLink> link_;
};

}  // namespace vox

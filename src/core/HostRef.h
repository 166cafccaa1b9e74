#pragma once
#include <memory>

#include "core/RuntimeError.h"
#include "core/HostLink.h"

namespace tc {

// The window's `EchoLink` variable: every use reads the object afresh and
// fails like an unset object variable while nothing is stored.
class HostRef {
public:
    void set(std::shared_ptr<HostLink> host) { host_ = std::move(host); }
    const std::shared_ptr<HostLink>& get() const { return host_; }
    HostLink* operator->() const {
        if (!host_) throw err::objectNotSet();
        return host_.get();
    }

private:
    std::shared_ptr<HostLink> host_;
};

}  // namespace tc

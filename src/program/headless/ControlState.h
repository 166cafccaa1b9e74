#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tc {

class Panel;

// A control's current state as the transcript's "show" line gives it, or
// nullopt when the panel has no control of that name.
std::optional<std::string> describeControl(const Panel& panel, std::string_view name);

}  // namespace tc

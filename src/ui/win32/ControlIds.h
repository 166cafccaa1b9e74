#pragma once
#include <string_view>

#include "ui/MainWindowLayout.h"

namespace tc::win32 {

// The child-window identifiers of the main window's controls: one for
// each entry of the layout, in its order. Tools that drive the window from
// outside (the tests) find a control by its name through them.
inline constexpr int kFirstControlId = 100;

inline int controlId(std::string_view name) {
    const auto layout = mainWindowLayout();
    for (size_t i = 0; i < layout.size(); ++i)
        if (layout[i].name == name) return kFirstControlId + static_cast<int>(i);
    return 0;
}

}  // namespace tc::win32

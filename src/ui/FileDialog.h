#pragma once
#include "ui/Controls.h"
#include "core/Desktop.h"

namespace tc {

// Shows the common file dialog: a chosen file replaces its name, a cancel
// leaves the preset name as it was.
inline void ShowOpen(CommonDialog& dialog, Desktop& desktop) {
    if (auto chosen = desktop.ShowOpen(dialog.Filter, dialog.FileName)) dialog.FileName = *chosen;
}

}  // namespace tc

#include "ui/qt/HeldEnd.h"

#include <QApplication>
#include <QWidget>

#include "core/RuntimeError.h"

namespace tc {

void HeldEnd::run(const std::function<void()>& fn) {
    if (held_) return;
    try {
        fn();
    } catch (const EndProgram&) {
        held_ = true;
        // The program ends at once: the boxes and dialogs that the waiting
        // handlers show close now, and those handlers resume only to end.
        while (QWidget* modal = QApplication::activeModalWidget()) {
            if (!modal->close()) break;
        }
    }
}

void HeldEnd::rethrow() {
    if (!held_) return;
    held_ = false;
    throw EndProgram{};
}

}  // namespace tc

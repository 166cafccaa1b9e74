#include "ui/Controls.h"

#include "core/RuntimeError.h"

namespace tc {

void CheckBox::setValue(long long v) {
    if (v < 0 || v > 2) throw err::invalidProperty();
    value = static_cast<int>(v);
}

void ScrollBar::setValue(long long v) {
    if (v < min || v > max) throw err::invalidProperty();
    if (v == value) return;
    value = static_cast<int>(v);
    if (onChange) onChange();
}

void ScrollBar::setMax(long long m) {
    if (m < -32768 || m > 32767) throw err::overflow();
    max = static_cast<int>(m);
    if (value > max) value = max;
}

}  // namespace tc

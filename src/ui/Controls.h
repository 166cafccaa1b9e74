#pragma once
#include <functional>
#include <string>

#include "ui/Colour.h"

namespace tc {

class Indicator;

// Told of the changes that front ends follow as they happen (the
// transcript's trace and caption lines).
class PanelListener {
public:
    virtual ~PanelListener() = default;
    virtual void indicatorChanged(const Indicator&) {}
    virtual void captionChanged(const std::string&) {}
};

// A hidden status text box whose text and background the logic writes and
// later compares exactly, blanks included.
class Indicator {
public:
    Indicator(const char* name, std::string text, Colour back, PanelListener*& listener)
        : name_(name), text_(std::move(text)), back_(back), listener_(listener) {}

    // Background first, then the text, as one change.
    void set(Colour back, const std::string& text) {
        if (back == back_ && text == text_) return;
        back_ = back;
        text_ = text;
        if (listener_) listener_->indicatorChanged(*this);
    }
    const std::string& text() const { return text_; }
    Colour back() const { return back_; }
    const char* name() const { return name_; }

private:
    const char* name_;
    std::string text_;
    Colour back_;
    PanelListener*& listener_;
};

// An edit field. Setting a different text runs its change handler.
struct TextField {
    std::string text;
    std::function<void()> onChange;

    void setText(const std::string& t) {
        if (t == text) return;
        text = t;
        if (onChange) onChange();
    }
};

// A label: its caption is a register or flag of the logic.
struct Label {
    std::string caption;
};

// A picture, frame or button: only whether it is shown matters to the logic.
struct Shape {
    bool visible = true;
};

// The switch: 0 unchecked, 1 checked, 2 greyed. Other values are refused.
struct CheckBox {
    int value = 0;
    void setValue(long long v);
};

// A horizontal scroll bar with 16-bit range. A value outside the range is
// refused; setting a different value runs the change handler.
struct ScrollBar {
    int min = 0;
    int max = 0;
    int value = 0;
    std::function<void()> onChange;

    void setValue(long long v);
    void setMax(long long m);  // the value follows when it falls outside
};

// Option1 and Option2: one group, selecting one clears the other.
struct OptionGroup {
    bool Option1 = false;
    bool Option2 = false;

    void setOption1(bool on) {
        Option1 = on;
        if (on) Option2 = false;
    }
    void setOption2(bool on) {
        Option2 = on;
        if (on) Option1 = false;
    }
};

// The common file dialog: the name survives a cancel.
struct CommonDialog {
    std::string FileName;
    std::string Filter;
};

}  // namespace tc

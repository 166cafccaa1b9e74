#pragma once
#include <functional>

namespace tc {

// Ending the program unwinds to the outermost handler. When Qt runs a
// handler from inside another one's wait (a modal box, a file dialog, the
// usage report letting pending events run), that unwinding must not cross
// Qt's own frames: it is held here and thrown again where our code takes
// over from Qt. Once an end is held, nothing else is let through.
class HeldEnd {
public:
    // Runs what Qt calls us for.
    void run(const std::function<void()>& fn);
    // Called where our code resumes after Qt has run events.
    void rethrow();
    bool held() const { return held_; }

private:
    bool held_ = false;
};

}  // namespace tc

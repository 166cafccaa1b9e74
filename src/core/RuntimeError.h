#pragma once
#include <stdexcept>
#include <string>

namespace tc {

// A failing call inside a handler: a host call, a player call, a control
// refusing a value or a text that does not convert. Handlers either let it
// reach the dispatcher (which reports it and ends the program), skip the
// failing step (resume-next), or trap it themselves (LoadFile).
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

namespace err {
inline RuntimeError overflow() { return {6, "Overflow"}; }
inline RuntimeError typeMismatch() { return {13, "Type mismatch"}; }
inline RuntimeError objectNotSet() { return {91, "Object variable or With block variable not set"}; }
inline RuntimeError invalidProperty() { return {380, "Invalid property value"}; }
inline RuntimeError cannotCreateObject() { return {429, "ActiveX component can't create object"}; }
}  // namespace err

// Thrown to end the program at once: no further handler of the program runs.
// It is not a RuntimeError, so no resume-next step can swallow it.
struct EndProgram {};

}  // namespace tc

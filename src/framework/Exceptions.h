#pragma once

#include <stdexcept>
#include <string>

namespace fw {

// The framework's exception family. Program code catches these by class;
// a catch-all in program code is `catch (...)`.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message = "")
        : std::runtime_error(message) {}
    virtual const char* ClassName() const { return "RuntimeException"; }
};

class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& message = "a nil object was used")
        : RuntimeException(message) {}
    const char* ClassName() const override { return "NilObjectException"; }
};

class IllegalCastException : public RuntimeException {
public:
    explicit IllegalCastException(const std::string& message)
        : RuntimeException(message) {}
    const char* ClassName() const override { return "IllegalCastException"; }
};

class OutOfBoundsException : public RuntimeException {
public:
    explicit OutOfBoundsException(const std::string& message)
        : RuntimeException(message) {}
    const char* ClassName() const override { return "OutOfBoundsException"; }
};

class IOException : public RuntimeException {
public:
    explicit IOException(const std::string& message)
        : RuntimeException(message) {}
    const char* ClassName() const override { return "IOException"; }
};

// A compiled script, or another helper shipped with the program, that did
// not run to a good end. Why tells the callers what they may make of it.
class ScriptCallException : public RuntimeException {
public:
    enum class Why {
        CannotStart,  // missing, not executable, or no process could be made
        TimedOut,     // stopped at its time limit
        Signalled,    // ended by a signal
        Failed,       // exited with a status other than 0
        Ending,       // not run, or stopped, because the program is ending
    };
    ScriptCallException(Why why, const std::string& message) : RuntimeException(message), why_(why) {}
    Why Reason() const { return why_; }
    const char* ClassName() const override { return "ScriptCallException"; }

private:
    Why why_;
};

// Raises NilObjectException when `p` is nil; returns `p` for chaining.
template <class P>
const P& NotNil(const P& p, const char* what = "a nil object was used")
{
    if (!p) throw NilObjectException(what);
    return p;
}

} // namespace fw

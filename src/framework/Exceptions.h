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

// Raises NilObjectException when `p` is nil; returns `p` for chaining.
template <class P>
const P& NotNil(const P& p, const char* what = "a nil object was used")
{
    if (!p) throw NilObjectException(what);
    return p;
}

} // namespace fw

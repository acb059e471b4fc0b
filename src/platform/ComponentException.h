#pragma once
#include <stdexcept>
#include <string>

// Common base of the exceptions components raise for misuse.
class EComponentException : public std::runtime_error {
public:
    explicit EComponentException(const std::string& msg) : std::runtime_error(msg) {}
};

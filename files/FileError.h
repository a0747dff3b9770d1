#pragma once

#include <stdexcept>
#include <string>

// A file could not be read or written. The text is the message the user sees.
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& message) : std::runtime_error(message) {}
};

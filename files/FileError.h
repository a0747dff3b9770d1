#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>

// A file could not be read or written. The text is the message the user sees; the reason, where one is
// known and the message does not hold it, is the system's word for what went wrong, for callers that
// show more than the message (the command-line tool).
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& message, std::string reason = {})
        : std::runtime_error(message)
        , fReason(std::move(reason)) {}
    const std::string& Reason() const { return fReason; }

private:
    std::string fReason;
};

// A path as UTF-8 text, for messages.
inline std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// A path from UTF-8 text (a command-line argument, a name in a file), whatever the system's code page.
inline std::filesystem::path PathFromText(const std::string& text) {
    return std::u8string(text.begin(), text.end());
}

// The error of a file that could not be written, with the system's reason: "Unable to write to <path>:
// <reason>".
[[noreturn]] inline void ThrowUnableToWrite(const std::filesystem::path& path, const std::string& reason) {
    throw FileError("Unable to write to " + PathText(path) + ": " + reason, reason);
}

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The whole content of a file of at most maxBytes. Throws FileError ("Unable to read <path>: <reason>")
// when it cannot be read, a missing file included; a larger file and anything but a regular file (a
// folder, a device, a pipe) are refused without being read.
std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Replaces the file at path with bytes: writes them to a temporary file in the same folder and renames
// that over path, so a failure at any point leaves the previous file whole and no temporary file behind.
// A file that exists but may not be written is refused, also where renaming over it would be allowed.
// A symbolic link is followed, and the file keeps its permissions. Throws FileError ("Unable to write
// to <path>: <reason>").
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

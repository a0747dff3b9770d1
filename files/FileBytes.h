#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The whole content of a file. Throws FileError ("Unable to read <path>: <reason>") when it cannot be
// read, a missing file included.
std::string ReadFileBytes(const std::filesystem::path& path);

// Replaces the file at path with bytes: writes them to a temporary file in the same folder and renames
// that over path, so a failure at any point leaves the previous file whole and no temporary file behind.
// A file that exists but may not be written is refused, also where renaming over it would be allowed.
// A symbolic link is followed, and the file keeps its permissions. Throws FileError ("Unable to write
// to <path>: <reason>").
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

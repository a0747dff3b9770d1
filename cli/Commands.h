#pragma once

#include "model/KeypadClass.h"

#include <filesystem>
#include <iosfwd>
#include <optional>

// Exit codes of keywright24-cli.
enum ExitCode : int { ExitSuccess = 0, ExitFindings = 1, ExitError = 2 };

// The commands of keywright24-cli. Each returns its exit code; a file that cannot be read or written
// throws FileError with the message for the user.

// The definition at path; a missing file is an error too.
TKeypadClass ReadExistingDefinition(const std::filesystem::path& path);

// Writes the download image of the definition, by default beside it; touches no loader INI.
int RunImage(const std::filesystem::path& definition, const std::optional<std::filesystem::path>& image);
// Writes the definition to output as saving does, updating an existing output in place.
int RunConvert(const std::filesystem::path& definition, const std::filesystem::path& output);
// Shows the parameters and every macro that is not empty, the codes as the macro view shows them.
int RunShow(const std::filesystem::path& definition, bool hex, std::ostream& out);
// Lists what reading the definition would drop, change or refuse; ExitFindings when there is any.
int RunCheck(const std::filesystem::path& definition, std::ostream& out);

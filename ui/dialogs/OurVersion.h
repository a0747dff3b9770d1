#pragma once

#include <QString>
#include <optional>

// The version label's text from a file version text ("6.0.0.0" gives "6.0.0"): its first five
// characters, all of it when shorter, "NA" when there is no file version.
QString ShortVersion(const std::optional<QString>& fileVersion);

// The program's own file version: on Windows from the executable's version resource, elsewhere the
// version the program was built with; nothing when the program carries none.
std::optional<QString> ProgramFileVersion();

#include "cli/Commands.h"

#include "cli/TerminalText.h"
#include "files/DefinitionCheck.h"
#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "files/FileError.h"
#include "files/IniFile.h"

#include <ostream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void failMissing(const fs::path& path) {
    throw FileError("Unable to read " + PathText(path) + ": " +
                    std::make_error_code(std::errc::no_such_file_or_directory).message());
}

} // namespace

TKeypadClass ReadExistingDefinition(const fs::path& path) {
    TKeypadClass keypad;
    if (ReadDefinitionFile(keypad, path) == DefinitionReadResult::NoFile)
        failMissing(path);
    return keypad;
}

int RunImage(const fs::path& definition, const std::optional<fs::path>& image) {
    TKeypadClass keypad = ReadExistingDefinition(definition);
    WriteDownloadImage(keypad, image.value_or(ImagePathFor(definition)), FindToggleShiftKeys(keypad), {});
    return ExitSuccess;
}

int RunConvert(const fs::path& definition, const fs::path& output) {
    TKeypadClass keypad = ReadExistingDefinition(definition);
    ToggleShiftSlots slots;
    WriteDefinitionFile(keypad, output, slots);
    return ExitSuccess;
}

int RunCheck(const fs::path& definition, std::ostream& out) {
    std::error_code error;
    if (fs::status(definition, error).type() == fs::file_type::not_found)
        failMissing(definition);
    const IniFile ini = LoadDefinitionIni(definition);
    RequireDefinitionText(ini, definition);
    const std::vector<std::string> findings = CheckDefinition(ini);
    for (const std::string& finding : findings)
        out << TerminalText(finding) << '\n';
    return findings.empty() ? ExitSuccess : ExitFindings;
}

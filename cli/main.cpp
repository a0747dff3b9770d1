#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/TerminalText.h"
#include "files/FileError.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* programName = "keywright24-cli";

} // namespace

int main(int argc, char** rawArgv) {
    PrepareConsole();
    std::vector<std::string> arguments = Utf8Arguments(argc, rawArgv);
    std::vector<char*> argumentPointers;
    for (std::string& argument : arguments)
        argumentPointers.push_back(argument.data());
    char** argv = argumentPointers.data();
    CLI::App app{"Reads keypad definition files (.ckd), writes their download images (.hex), converts and "
                 "checks them.",
                 programName};
    app.set_version_flag("--version", std::string(programName) + " " + KW24_VERSION);
    app.require_subcommand(1);

    std::string definition;
    std::string second;
    bool hex = false;
    const auto addDefinition = [&definition](CLI::App* command) {
        command->add_option("DEFINITION", definition, "Definition file (.ckd)")->required();
    };

    CLI::App* image = app.add_subcommand("image", "Write the download image of a definition. Unlike Save in "
                                                  "the program, it does not pass the download delay to the "
                                                  "loader's settings (Uplinker.ini)");
    addDefinition(image);
    image->add_option("IMAGE", second,
                      "Image file; by default the definition path with its last three "
                      "characters replaced by \"hex\"");

    CLI::App* convert =
        app.add_subcommand("convert", "Write a definition to OUTPUT as saving does (an existing "
                                      "OUTPUT is updated in place)");
    addDefinition(convert);
    convert->add_option("OUTPUT", second, "Definition file to write")->required();

    CLI::App* show = app.add_subcommand("show", "Show the parameters and every macro that is not empty");
    addDefinition(show);
    show->add_flag("--hex", hex, "Show code values in hexadecimal");

    CLI::App* check =
        app.add_subcommand("check", "List what reading a definition would drop, change or refuse "
                                    "(exit code 1 when it finds anything). Findings name the file's "
                                    "sections, KEY0 to KEY23, which the program shows as keys 1 to 24; "
                                    "key numbers inside a message count from 1; codes and bytes are "
                                    "hexadecimal");
    addDefinition(check);

    // A first word that is no command is named as such, rather than reported as a missing command.
    if (argc > 1 && argv[1][0] != '-' && argv[1][0] != '\0') {
        try {
            app.get_subcommand(argv[1]);
        } catch (const CLI::OptionNotFound&) {
            std::cerr << programName << ": Unknown command '" << TerminalText(argv[1])
                      << "'; the commands are image, convert, show or check (see --help)\n";
            return ExitError;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == static_cast<int>(CLI::ExitCodes::Success) ? ExitSuccess : ExitError;
    }

    try {
        if (image->parsed())
            return RunImage(PathFromText(definition),
                            second.empty() ? std::nullopt
                                           : std::optional<std::filesystem::path>(PathFromText(second)));
        if (convert->parsed())
            return RunConvert(PathFromText(definition), PathFromText(second));
        if (show->parsed())
            return RunShow(PathFromText(definition), hex, std::cout);
        return RunCheck(PathFromText(definition), std::cout);
    } catch (const FileError& error) {
        std::cerr << programName << ": " << TerminalText(error.what());
        if (!error.Reason().empty() &&
            std::string_view(error.what()).find(error.Reason()) == std::string_view::npos)
            std::cerr << ": " << TerminalText(error.Reason());
        std::cerr << '\n';
        return ExitError;
    } catch (const std::exception& error) {
        std::cerr << programName << ": " << TerminalText(error.what()) << '\n';
        return ExitError;
    }
}

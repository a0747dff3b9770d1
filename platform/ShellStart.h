#pragma once

#include <QString>
#include <QStringList>

struct ExternalProgram;

// Starting documents and programs that run on their own; nothing started here is waited for.
class ShellStart final {
public:
    // Opens the document at path with the desktop's default handler for it. False when there is no
    // such file or the desktop cannot open it.
    static bool openDocument(const QString& path);

    // Starts the program at its full path, detached, with the arguments that the Windows command-line
    // rules make of parameters: a quoted path with blanks arrives as one argument. Never through a
    // shell and never looked up on a search path. False when there is no such program file or it
    // cannot be started.
    static bool startProgram(const QString& programPath, const QString& parameters = {});
    // The same for an external program, which may run through wine: the arguments of parameters
    // follow the program's leading arguments. Wine rebuilds a Windows program's command line from
    // separate arguments and quotes only those with blanks, so parameters with quotes go through Wine's
    // command interpreter instead, which hands the program the line whole: "cmd /c %VARIABLE%" with
    // the line in WineCommandLineVariable. Not when the line holds a per cent sign, which the
    // interpreter would take for a variable; such parameters go as separate arguments.
    static bool startProgram(const ExternalProgram& program, const QString& parameters = {});
};

// The environment variable that carries a Windows command line to Wine's command interpreter.
inline const QString WineCommandLineVariable = QStringLiteral("KW24_WINDOWS_COMMAND_LINE");

// The arguments of a Windows parameter string: blanks and tabs separate them; double quotes enclose
// blanks and are removed; inside quotes two double quotes give one. Backslashes count only before a
// double quote: 2n of them give n backslashes and the quote keeps its role, 2n + 1 give n backslashes
// and a literal double quote.
QStringList SplitWindowsParameters(const QString& parameters);

#include "platform/ShellStart.h"

#include "platform/ExternalProgram.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

bool ShellStart::openDocument(const QString& path) {
    const QFileInfo document(path);
    if (!document.isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(document.absoluteFilePath()));
}

bool ShellStart::startProgram(const QString& programPath, const QString& parameters) {
    return startProgram(ExternalProgram{programPath, {}}, parameters);
}

bool ShellStart::startProgram(const ExternalProgram& program, const QString& parameters) {
    const QFileInfo executable(program.executable);
    if (!executable.isAbsolute() || !executable.isFile())
        return false;
    if (program.throughWine() && parameters.contains(u'"')) {
        const QString commandLine =
            u'"' + WindowsPathForWine(program.leadingArguments.front()) + u"\" "_s + parameters;
        // The interpreter would take a per cent sign for the start of a variable.
        if (!commandLine.contains(u'%')) {
            QProcess process;
            process.setProgram(executable.absoluteFilePath());
            process.setArguments({u"cmd"_s, u"/c"_s, u'%' + WineCommandLineVariable + u'%'});
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(WineCommandLineVariable, commandLine);
            process.setProcessEnvironment(environment);
            return process.startDetached();
        }
    }
    return QProcess::startDetached(executable.absoluteFilePath(),
                                   program.leadingArguments + SplitWindowsParameters(parameters));
}

QStringList SplitWindowsParameters(const QString& parameters) {
    QStringList arguments;
    QString argument;
    bool inArgument = false; // also true for an argument that is only a pair of quotes
    bool quoted = false;
    const qsizetype length = parameters.size();
    qsizetype i = 0;
    while (i < length) {
        const QChar c = parameters.at(i);
        if (!quoted && (c == u' ' || c == u'\t')) {
            if (inArgument)
                arguments << argument;
            argument.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == u'\\') {
            qsizetype backslashes = 0;
            while (i < length && parameters.at(i) == u'\\') {
                ++backslashes;
                ++i;
            }
            const bool beforeQuote = i < length && parameters.at(i) == u'"';
            argument += QString(beforeQuote ? backslashes / 2 : backslashes, u'\\');
            if (beforeQuote && backslashes % 2 == 1) {
                argument += u'"';
                ++i;
            }
            continue;
        }
        if (c == u'"') {
            if (quoted && i + 1 < length && parameters.at(i + 1) == u'"') {
                argument += u'"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        argument += c;
        ++i;
    }
    if (inArgument)
        arguments << argument;
    return arguments;
}

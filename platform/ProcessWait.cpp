#include "platform/ProcessWait.h"

#include "platform/ExternalProgram.h"

#include <QFileInfo>
#include <QProcess>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {
constexpr int StepMilliseconds = 500;
}

bool StartAndWait(const QString& programPath, const std::function<void()>& everyStep) {
    return StartAndWait(ExternalProgram{programPath, {}}, everyStep);
}

bool StartAndWait(const ExternalProgram& program, const std::function<void()>& everyStep) {
    const QFileInfo executable(program.executable);
    if (!executable.isAbsolute() || !executable.isFile())
        return false;
    QProcess process;
    process.setProgram(executable.absoluteFilePath());
    process.setArguments(program.leadingArguments);
    // The program gets none of our handles and a process group of its own.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
#ifndef _WIN32
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    process.start();
    if (!process.waitForStarted())
        return false;
    while (!process.waitForFinished(StepMilliseconds) && process.state() != QProcess::NotRunning) {
        if (everyStep)
            everyStep();
    }
    return true;
}

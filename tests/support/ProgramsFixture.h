#pragma once

#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "platform/FileDialog.h"
#include "platform/ProgramFolder.h"
#include "tests/support/WindowFixture.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <optional>
#include <stdexcept>

// Takes the desktop's "open this document" requests instead of a real handler.
class TDocumentOpener final : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << QDir::toNativeSeparators(url.toLocalFile()); }
};

// A main window (TWindowFixture) with its own program folder, file dialogs answered beforehand and
// documents opened into a list. Fake external programs record the arguments they were started with.
class TProgramsFixture final {
public:
    explicit TProgramsFixture(const QStringList& arguments = {})
        : f(arguments) {
        if (!programs.isValid())
            throw std::runtime_error("cannot make a temporary program folder");
        ProgramFolder::setForTests(programs.path());
        FileDialog::clear();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &documents, "open");
        f.window->CreateParametersDialog();
    }
    ~TProgramsFixture() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        FileDialog::clear();
        ProgramFolder::setForTests(std::nullopt);
    }
    TProgramsFixture(const TProgramsFixture&) = delete;
    TProgramsFixture& operator=(const TProgramsFixture&) = delete;

    TfrmMain& window() const { return *f.window; }
    QString programPath(const QString& windowsName) const {
        return programs.filePath(ExternalProgramName(windowsName));
    }

    // A fake program that writes its argument count and arguments, one a line, beside itself. extra is
    // shell code run first.
    void installProgram(const QString& windowsName, const QByteArray& extra = {}) const {
        writeRecordingProgram(programPath(windowsName), extra);
    }

    // The arguments the fake program was started with, once it has recorded them; nothing when it was
    // not started within a few seconds.
    std::optional<QStringList> startedWith(const QString& windowsName) const {
        return recordedArguments(programPath(windowsName));
    }
    // Whether the fake program has recorded a start by now (for checks that nothing was started).
    bool wasStarted(const QString& windowsName) const {
        return QFile::exists(programPath(windowsName) + QStringLiteral(".args"));
    }

    // A fake program at path that records its arguments in path + ".args" (see installProgram).
    static void writeRecordingProgram(const QString& path, const QByteArray& extra = {}) {
        QFile script(path);
        if (!script.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write " + path.toStdString());
        script.write(
            "#!/bin/sh\n" + extra +
            "\nout=\"$0.args\"\n"
            "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$out.tmp\"\n"
            "mv \"$out.tmp\" \"$out\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The arguments the fake program at path recorded, once it has; nothing when it was not started
    // within a few seconds.
    static std::optional<QStringList> recordedArguments(const QString& path) {
        const QString record = path + QStringLiteral(".args");
        if (!QTest::qWaitFor([&record] { return QFile::exists(record); }))
            return std::nullopt;
        return readRecord(record);
    }

    // Writes the loader's INI file in folder.
    static void writeLoaderIni(const QString& folder, const QByteArray& text) {
        QFile file(QDir(folder).filePath(QStringLiteral("Uplinker.ini")));
        if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            throw std::runtime_error("cannot write the loader INI in " + folder.toStdString());
    }

    QTemporaryDir programs;
    TWindowFixture f;
    TDocumentOpener documents;

private:
    static QStringList readRecord(const QString& record) {
        QFile file(record);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        lines.removeLast(); // after the last line break
        if (lines.isEmpty() || lines.constFirst().toInt() != lines.size() - 1)
            throw std::runtime_error("garbled argument record " + record.toStdString());
        lines.removeFirst();
        return lines;
    }
};

// The definition in the file, read back through the file layer.
inline TKeypadClass ReadBack(const QString& path) {
    TKeypadClass keypad;
    if (ReadDefinitionFile(keypad, toFilesystemPath(path)) != DefinitionReadResult::Loaded)
        throw std::runtime_error("no definition file " + path.toStdString());
    return keypad;
}

// Everything a definition holds that the keypad or the user sees: its download image and its macro names.
inline std::string Fingerprint(TKeypadClass& keypad) {
    std::string text = DownloadImageText(keypad, FindToggleShiftKeys(keypad));
    const std::uint8_t key = keypad.Key();
    const std::uint8_t level = keypad.Level();
    for (std::uint8_t k = 0; k < KeyCount; ++k)
        for (std::uint8_t l = 0; l < LevelCount; ++l) {
            keypad.SetKey(k);
            keypad.SetLevel(l);
            text += keypad.GetMacroName() + '\n';
        }
    keypad.SetKey(key);
    keypad.SetLevel(level);
    return text;
}

// An edit as the user makes one: a macro and its name on key 6, level 2, marked as unsaved.
inline void MakeAnEdit(TProgramsFixture& p) {
    TKeypadClass& keypad = p.f.keypad();
    fillMacro(keypad, 5, 1, 4);
    keypad.SetKey(5);
    keypad.SetLevel(1);
    keypad.SetMacroName("edited");
    keypad.SetKey(0);
    keypad.SetLevel(0);
    p.window().ChangesPending(true);
}

// Clicks the named tool button of the window.
inline void click(const TProgramsFixture& p, const QString& button) {
    p.f.control<QToolButton>(button)->click();
}

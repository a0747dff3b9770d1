// Every kind of file the program writes (definition, image, loader INI, settings, recovery copy) reaches the
// disk in the order that survives a power cut: the temporary file's data is flushed before it is renamed over
// the target, and the folder is flushed after the rename. The file-system steps are recorded rather than
// performed by a real disk.
#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "files/FileBytes.h"
#include "files/FileError.h"
#include "files/IniFile.h"
#include "files/RecoveryFile.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The real steps, each recorded as it is taken.
class RecordingSteps final : public FileSteps {
public:
    struct Step {
        std::string what;
        fs::path path;
        fs::path to; // Rename only
    };
    std::vector<Step> steps;
    bool failFolderFlush = false;

    std::error_code WriteNewFile(const fs::path& path, std::string_view bytes) override {
        steps.push_back({"write", path, {}});
        return FileSteps::WriteNewFile(path, bytes);
    }
    std::error_code FlushFile(const fs::path& path) override {
        steps.push_back({"flush file", path, {}});
        return FileSteps::FlushFile(path);
    }
    std::error_code Rename(const fs::path& from, const fs::path& to) override {
        steps.push_back({"rename", from, to});
        return FileSteps::Rename(from, to);
    }
    std::error_code FlushFolder(const fs::path& folder) override {
        steps.push_back({"flush folder", folder, {}});
        if (failFolderFlush)
            return std::make_error_code(std::errc::io_error);
        return FileSteps::FlushFolder(folder);
    }
};

// Checks that steps are, for each target in turn: the temporary file beside it written, its data
// flushed, renamed over the target, and the target's folder flushed.
void ExpectDurableWrites(const std::vector<RecordingSteps::Step>& steps,
                         const std::vector<fs::path>& targets) {
    ASSERT_EQ(steps.size(), 4 * targets.size());
    for (std::size_t i = 0; i < targets.size(); ++i) {
        SCOPED_TRACE(targets[i].filename().string());
        const RecordingSteps::Step* s = &steps[4 * i];
        const fs::path temporary = s[0].path;
        EXPECT_EQ(s[0].what, "write");
        EXPECT_EQ(temporary.parent_path(), targets[i].parent_path());
        EXPECT_NE(temporary, targets[i]);
        EXPECT_EQ(s[1].what, "flush file");
        EXPECT_EQ(s[1].path, temporary);
        EXPECT_EQ(s[2].what, "rename");
        EXPECT_EQ(s[2].path, temporary);
        EXPECT_EQ(s[2].to, targets[i]);
        EXPECT_EQ(s[3].what, "flush folder");
        EXPECT_EQ(s[3].path, targets[i].parent_path());
    }
}

class DurableWrite : public TempFolderTest {};

TEST_F(DurableWrite, EveryKindOfFileIsFlushedRenamedAndItsFolderFlushed) {
    TKeypadClass keypad = FullDefinition();
    ToggleShiftSlots slots;
    const fs::path definition = folder / "pad.ckd";
    const fs::path image = folder / "pad.hex";
    const fs::path loaderIni = folder / "Uplinker.ini";
    const fs::path settings = folder / "Keywright24.ini";
    WriteBytes(loaderIni, "[Com Port Configuration]\r\nComPort=4\r\n");
    RecoveryCopy recovery(folder / "Recovery", "1-a");
    const fs::path recoveryCopy = folder / "Recovery" / "pad-1-a.ckd";

    struct Writer {
        const char* what;
        std::function<void()> write;
        std::vector<fs::path> targets;
    };
    const Writer writers[] = {
        {"new definition file", [&] { WriteDefinitionFile(keypad, definition, slots); }, {definition}},
        {"definition file in place", [&] { WriteDefinitionFile(keypad, definition, slots); }, {definition}},
        {"download image and loader INI",
         [&] { WriteDownloadImage(keypad, image, slots, loaderIni); },
         {image, loaderIni}},
        {"settings file",
         [&] {
             IniFile ini = IniFile::Load(settings);
             ini.WriteBool("CONFIGURATION", "Hide_StartBox", true);
             ini.Save(settings);
         },
         {settings}},
        {"recovery copy",
         [&] {
             recovery.Write(keypad, {PathText(definition), {}});
         },
         {recoveryCopy}},
        {"recovery copy again",
         [&] {
             recovery.Write(keypad, {PathText(definition), {}});
         },
         {recoveryCopy}},
    };
    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.what);
        RecordingSteps recorder;
        {
            const ScopedFileSteps scope(recorder);
            writer.write();
        }
        ExpectDurableWrites(recorder.steps, writer.targets);
    }
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"Keywright24.ini", "Recovery", "Uplinker.ini",
                                                               "pad.ckd", "pad.hex"}));
}

TEST_F(DurableWrite, AFileInTheWorkingFolderFlushesThatFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    RecordingSteps recorder;
    {
        const ScopedFileSteps scope(recorder);
        IniFile::FromText("[A]\r\nb=1\r\n").Save("plain.ini");
    }
    fs::current_path(previous);
    ASSERT_EQ(recorder.steps.size(), 4u);
    EXPECT_EQ(recorder.steps[3].path, fs::path("."));
    EXPECT_EQ(ReadBytes(folder / "plain.ini"), "[A]\r\nb=1\r\n");
}

// The new file is in place, but it may not survive a power cut: the save is not reported as done.
TEST_F(DurableWrite, AFailedFolderFlushIsReported) {
    const fs::path definition = folder / "pad.ckd";
    TKeypadClass keypad = FullDefinition();
    ToggleShiftSlots slots;
    RecordingSteps recorder;
    recorder.failFolderFlush = true;
    const ScopedFileSteps scope(recorder);
    try {
        WriteDefinitionFile(keypad, definition, slots);
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + PathText(definition));
    }
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"pad.ckd"});
}

} // namespace

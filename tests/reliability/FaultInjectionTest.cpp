// Every writer of the file layer, with a write that fails part way, a folder that has become read-only,
// a flush to the disk that fails and a rename that fails: the previous file stays byte for byte, no temporary
// file is left behind, and the error names the file. The faults are injected, so they need no permissions and
// work for root.
#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "files/FileBytes.h"
#include "files/FileError.h"
#include "files/IniFile.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

enum class Fault { FullDisk, ReadOnlyFolder, FailedFlush, RefusedRename };

// The real steps, except that the write of one file (counting from 1) fails as fault says.
class FaultySteps final : public FileSteps {
public:
    FaultySteps(Fault fault, int failingWrite, std::size_t bytesUntilFull)
        : fault_(fault)
        , failingWrite_(failingWrite)
        , bytesUntilFull_(bytesUntilFull) {}

    std::error_code WriteNewFile(const fs::path& path, std::string_view bytes) override {
        if (++writes_ != failingWrite_)
            return FileSteps::WriteNewFile(path, bytes);
        switch (fault_) {
        case Fault::FullDisk: {
            const std::string_view part = bytes.substr(0, std::min(bytesUntilFull_, bytes.size()));
            EXPECT_FALSE(FileSteps::WriteNewFile(path, part));
            partialFileSize = fs::file_size(path);
            partialFileExpected = part.size();
            return std::make_error_code(std::errc::no_space_on_device);
        }
        case Fault::ReadOnlyFolder: return std::make_error_code(std::errc::permission_denied);
        case Fault::FailedFlush:
        case Fault::RefusedRename: return FileSteps::WriteNewFile(path, bytes);
        }
        return {};
    }

    std::error_code FlushFile(const fs::path& path) override {
        if (writes_ == failingWrite_ && fault_ == Fault::FailedFlush)
            return std::make_error_code(std::errc::io_error);
        return FileSteps::FlushFile(path);
    }

    std::error_code Rename(const fs::path& from, const fs::path& to) override {
        if (writes_ == failingWrite_ && fault_ == Fault::RefusedRename)
            return std::make_error_code(std::errc::device_or_resource_busy);
        return FileSteps::Rename(from, to);
    }

    // What the failing write left in the temporary file, and what it was to leave.
    std::uintmax_t partialFileSize = 0;
    std::uintmax_t partialFileExpected = 0;

private:
    Fault fault_;
    int failingWrite_;
    std::size_t bytesUntilFull_;
    int writes_ = 0;
};

struct FaultCase {
    const char* what;
    Fault fault;
    std::size_t bytesUntilFull;
    const char* reason;
};

const FaultCase faults[] = {
    {"disk full before the first byte", Fault::FullDisk, 0, "No space left on device"},
    {"disk full after 1 byte", Fault::FullDisk, 1, "No space left on device"},
    {"disk full after 300 bytes", Fault::FullDisk, 300, "No space left on device"},
    {"disk full when closing", Fault::FullDisk, std::string::npos, "No space left on device"},
    {"folder turned read-only", Fault::ReadOnlyFolder, 0, "Permission denied"},
    {"flush to the disk failed", Fault::FailedFlush, 0, "Input/output error"},
    {"rename refused", Fault::RefusedRename, 0, "Device or resource busy"},
};

const std::string loaderIniText = "[Com Port Configuration]\r\nComPort=4\r\nDownloadDelay=3\r\n";

class FaultInjection : public TempFolderTest {
protected:
    fs::path definition() const { return folder / "pad.ckd"; }
    fs::path image() const { return folder / "pad.hex"; }
    fs::path loaderIni() const { return folder / "Uplinker.ini"; }
    fs::path settings() const { return folder / "Keywright24.ini"; }

    std::map<std::string, std::string> folderContent() const {
        std::map<std::string, std::string> content;
        for (const std::string& name : FolderEntries(folder))
            content[name] = ReadBytes(folder / name);
        return content;
    }

    // A writer of the file layer and the message expected when its write fails.
    struct Writer {
        const char* what;
        std::function<void()> write;
        std::function<std::string(const char* reason)> message;
    };

    // Runs every writer under every fault, over the files that stand in the folder now.
    void expectEveryFaultKeepsTheFolder() {
        TKeypadClass keypad = FullDefinition();
        ToggleShiftSlots slots;
        const ToggleShiftSlots imageSlots{3, 128, 4, 128};
        const Writer writers[] = {
            {"definition file", [&] { WriteDefinitionFile(keypad, definition(), slots); },
             [&](const char*) {
                 return "Unable to write to " + PathText(definition());
             }},
            {"download image", [&] { WriteDownloadImage(keypad, image(), imageSlots, loaderIni()); },
             [&](const char* reason) {
                 return "Unable to write to " + PathText(image()) + ": " + reason;
             }},
            {"settings file",
             [&] {
                 IniFile ini = IniFile::Load(settings());
                 ini.WriteBool("CONFIGURATION", "Hide_StartBox", true);
                 ini.Save(settings());
             },
             [&](const char* reason) {
                 return "Unable to write to " + PathText(settings()) + ": " + reason;
             }},
        };
        const auto before = folderContent();
        for (const Writer& writer : writers)
            for (const FaultCase& fault : faults) {
                SCOPED_TRACE(std::string(writer.what) + ", " + fault.what);
                FaultySteps steps(fault.fault, 1, fault.bytesUntilFull);
                const ScopedFileSteps scope(steps);
                try {
                    writer.write();
                    ADD_FAILURE() << "no error";
                } catch (const FileError& error) {
                    EXPECT_EQ(std::string(error.what()), writer.message(fault.reason));
                }
                EXPECT_EQ(steps.partialFileSize, steps.partialFileExpected);
                EXPECT_EQ(folderContent(), before);
                // A failed save changes neither the selection nor the recorded toggle and shift keys.
                EXPECT_EQ(keypad.Key(), 7);
                EXPECT_EQ(keypad.Level(), 1);
                EXPECT_EQ(slots.ToggleKey1, 0);
            }
    }
};

TEST_F(FaultInjection, AFailedWriteLeavesEveryPreviousFileWhole) {
    WriteBytes(definition(), "[KEY0]\r\nLEVEL_1_CODES=41\r\n; mine\r\n");
    WriteBytes(image(), "\"40\"\r\n");
    WriteBytes(loaderIni(), loaderIniText);
    WriteBytes(settings(), "[CONFIGURATION]\r\nHide_StartBox=0\r\n");
    expectEveryFaultKeepsTheFolder();
}

TEST_F(FaultInjection, AFailedWriteOfANewFileLeavesNothingBehind) {
    expectEveryFaultKeepsTheFolder();
    EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST_F(FaultInjection, ALoaderIniThatCannotBeWrittenIsReportedAfterACompleteImage) {
    WriteBytes(loaderIni(), loaderIniText);
    WriteBytes(image(), "old");
    TKeypadClass keypad = FullDefinition();
    const ToggleShiftSlots slots{3, 128, 4, 128};
    for (const FaultCase& fault : faults) {
        SCOPED_TRACE(fault.what);
        FaultySteps steps(fault.fault, 2, fault.bytesUntilFull);
        const ScopedFileSteps scope(steps);
        try {
            WriteDownloadImage(keypad, image(), slots, loaderIni());
            ADD_FAILURE() << "no error";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + PathText(loaderIni()));
        }
        EXPECT_EQ(ReadBytes(image()), DownloadImageText(keypad, slots));
        EXPECT_EQ(ReadBytes(loaderIni()), loaderIniText);
        EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"Uplinker.ini", "pad.hex"}));
    }
}

TEST_F(FaultInjection, TheNextWriteAfterAFailureSucceeds) {
    WriteBytes(definition(), "[KEY0]\r\nLEVEL_1_CODES=41\r\n");
    TKeypadClass keypad = FullDefinition();
    ToggleShiftSlots slots;
    {
        FaultySteps steps(Fault::RefusedRename, 1, 0);
        const ScopedFileSteps scope(steps);
        EXPECT_THROW(WriteDefinitionFile(keypad, definition(), slots), FileError);
    }
    WriteDefinitionFile(keypad, definition(), slots);
    TKeypadClass back;
    ASSERT_EQ(ReadDefinitionFile(back, definition()), DefinitionReadResult::Loaded);
    EXPECT_EQ(MacroValues(back, 0, 0), MacroValues(keypad, 0, 0));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"pad.ckd"});
}

} // namespace

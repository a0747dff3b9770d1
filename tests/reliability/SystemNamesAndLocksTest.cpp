// Saving where the system makes it hard: names with blanks and letters beyond ASCII (Windows takes those
// only through its wide-character calls), and a file another program holds open without letting it be
// replaced (Windows refuses the replacement; the save must fail cleanly and leave the old file whole).
#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "files/FileBytes.h"
#include "files/FileError.h"
#include "files/WindowsApi.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using SystemFiles = TempFolderTest;

TEST_F(SystemFiles, SavesAndReadsADefinitionWhoseFolderAndNameHoldBlanksAndUmlauts) {
    const fs::path place = folder / PathFromText("K\xC3\xB6rbe pads");
    fs::create_directories(place);
    const fs::path path = place / PathFromText("Pad \xC3\xB6 1.ckd");
    TKeypadClass keypad;
    SetMacro(keypad, 3, 0, {0x41, 0x42});
    ToggleShiftSlots slots;
    WriteDefinitionFile(keypad, path, slots);
    WriteDownloadImage(keypad, ImagePathFor(path), slots, {});

    EXPECT_EQ(FolderEntries(place), (std::vector<std::string>{"Pad \xC3\xB6 1.ckd", "Pad \xC3\xB6 1.hex"}));
    TKeypadClass back;
    ASSERT_EQ(ReadDefinitionFile(back, path), DefinitionReadResult::Loaded);
    ExpectSameDefinition(back, keypad);
    EXPECT_EQ(ReadBytes(ImagePathFor(path)), DownloadImageText(keypad, slots));
}

TEST_F(SystemFiles, ASaveOntoAFileHeldOpenWithoutSharingFailsAndLeavesItWhole) {
#ifndef _WIN32
    GTEST_SKIP() << "only Windows lets an open file refuse its replacement";
#else
    const fs::path path = folder / PathFromText("held \xC3\xB6.ckd");
    WriteBytes(path, "old bytes");
    // As another program holding it: reading shared, writing and deleting (so replacing) not.
    const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        WriteFileAtomically(path, "new bytes");
        ADD_FAILURE() << "a file held open was replaced";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Unable to write to " + PathText(path) + ": ", 0), 0u)
            << error.what();
    }
    ::CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), "old bytes");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"held \xC3\xB6.ckd"})
        << "a temporary file is left";
#endif
}

} // namespace

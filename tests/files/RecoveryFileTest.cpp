#include "files/RecoveryFile.h"

#include "files/DefinitionFile.h"
#include "files/FileError.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// FullDefinition as a definition file carries it: data values keep their low eight bits.
TKeypadClass FullDefinitionAsWritten() {
    TKeypadClass keypad = FullDefinition();
    SetMacro(keypad, 23, 1, {0x10FF, 0xE9});
    return keypad;
}

constexpr std::chrono::sys_seconds SomeTime{std::chrono::sys_days{2026y / 12 / 10} + 14h + 44min + 2s};

TEST(RecoveryText, ReadsBackTheDefinitionDocumentAndTime) {
    TKeypadClass keypad = FullDefinition();
    const RecoveryInfo info{"/home/me/Macro Files/caf\xC3\xA9 pad.ckd", SomeTime};
    const std::string text = RecoveryText(keypad, info);
    EXPECT_EQ(keypad.Key(), 7);
    EXPECT_EQ(keypad.Level(), 1);
    // The parameters' section opens with the document and the time; the text's encoding is the INI
    // file's own rule.
    EXPECT_TRUE(text.starts_with("[GLOBAL_PARAMETERS]\r\nRecoveryDocument=/home/me/Macro Files/caf")) << text;
    EXPECT_NE(text.find(" pad.ckd\r\nRecoveryTime=2026-12-10T14:44:02Z\r\n"), std::string::npos) << text;

    TKeypadClass back;
    EXPECT_EQ(ReadRecovery(back, IniFile::FromText(text)), info);
    ExpectSameDefinition(back, FullDefinitionAsWritten());
    // The copy is a definition file: the definition reader reads it as it is.
    TKeypadClass asDefinition;
    ReadDefinition(asDefinition, IniFile::FromText(text));
    ExpectSameDefinition(asDefinition, FullDefinitionAsWritten());
}

TEST(RecoveryText, ADocumentPathTheFileCannotHoldIsRecordedAsNone) {
    TKeypadClass keypad;
    TKeypadClass back;
    EXPECT_EQ(ReadRecovery(back, IniFile::FromText(RecoveryText(keypad, {"/tmp/two\nlines.ckd", SomeTime}))),
              (RecoveryInfo{"", SomeTime}));
}

TEST(RecoveryText, WhatIsNoRecoveryCopyIsRefusedAndChangesNothing) {
    const char* const texts[] = {
        "",
        "[GLOBAL_PARAMETERS]\r\nKeyRollOver=3\r\n",
        "[GLOBAL_PARAMETERS]\r\nRecoveryTime=2026-12-10T14:44:02Z\r\n",
        "[GLOBAL_PARAMETERS]\r\nRecoveryDocument=pad.ckd\r\n",
        "[GLOBAL_PARAMETERS]\r\nRecoveryDocument=pad.ckd\r\nRecoveryTime=2026-12-10 14:44:02\r\n",
        "[GLOBAL_PARAMETERS]\r\nRecoveryDocument=pad.ckd\r\nRecoveryTime=2026-02-30T14:44:02Z\r\n",
        "[GLOBAL_PARAMETERS]\r\nRecoveryDocument=pad.ckd\r\nRecoveryTime=2026-12-10T24:00:00Z\r\n",
        "[GLOBAL_PARAMETERS]\r\nRecoveryDocument=pad.ckd\r\nRecoveryTime=2026-12-10T14:44:0xZ\r\n",
        "[GLOBAL_PARAMETERS]\r\nRecoveryDocument=pad.ckd\r\nRecoveryTime=2026-12-10T14:44:02Z\r\n[KEYx]\r\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        TKeypadClass keypad = FullDefinition();
        EXPECT_THROW(ReadRecovery(keypad, IniFile::FromText(text)), FileError);
        ExpectSameDefinition(keypad, FullDefinition());
        EXPECT_EQ(keypad.Key(), 7);
    }
}

class RecoveryFolder : public TempFolderTest {
protected:
    fs::path recovery() const { return folder / "Recovery"; }

    // A copy left by a program that has ended: its file, with no lock held.
    fs::path leaveCopy(const std::string& name, const RecoveryInfo& info,
                       TKeypadClass keypad = FullDefinition()) {
        fs::create_directories(recovery());
        const fs::path path = recovery() / name;
        WriteBytes(path, RecoveryText(keypad, info));
        return path;
    }
};

TEST_F(RecoveryFolder, ACopyIsNamedPerDocumentAndInstanceAndFollowsTheDocument) {
    TKeypadClass keypad = FullDefinition();
    {
        RecoveryCopy copy(recovery(), "4711-ab12");
        copy.Write(keypad, {"/home/me/caf\xC3\xA9 pad.ckd", SomeTime});
        EXPECT_EQ(FolderEntries(recovery()),
                  (std::vector<std::string>{"caf___pad-4711-ab12.ckd", "caf___pad-4711-ab12.lock"}));
        copy.Write(keypad, {"untitled.ckd", SomeTime + 1s});
        EXPECT_EQ(FolderEntries(recovery()),
                  (std::vector<std::string>{"untitled-4711-ab12.ckd", "untitled-4711-ab12.lock"}));
        TKeypadClass back;
        EXPECT_EQ(ReadRecovery(back, LoadDefinitionIni(copy.Path())),
                  (RecoveryInfo{"untitled.ckd", SomeTime + 1s}));
        ExpectSameDefinition(back, FullDefinitionAsWritten());

        copy.Remove();
        EXPECT_TRUE(FolderEntries(recovery()).empty());
        EXPECT_TRUE(copy.Path().empty());
        copy.Write(keypad, {"", SomeTime});
#ifndef _WIN32
        // The folder removed while the program runs is made again with the next copy. (Windows keeps
        // a folder whose lock file is held open.)
        fs::remove_all(recovery());
#endif
        copy.Write(keypad, {"", SomeTime});
        EXPECT_EQ(FolderEntries(recovery()),
                  (std::vector<std::string>{"untitled-4711-ab12.ckd", "untitled-4711-ab12.lock"}));
    }
    // Destroyed as at a normal end: nothing is left.
    EXPECT_TRUE(FolderEntries(recovery()).empty());
}

TEST_F(RecoveryFolder, TwoRunningProgramsNeverTakeEachOthersCopy) {
    TKeypadClass keypad = FullDefinition();
    RecoveryCopy first(recovery(), "1-a");
    RecoveryCopy second(recovery(), "2-b");
    first.Write(keypad, {"/home/me/pad.ckd", SomeTime});
    second.Write(keypad, {"/home/me/pad.ckd", SomeTime});
    EXPECT_FALSE(ClaimLeftRecovery(recovery()));
    EXPECT_EQ(FolderEntries(recovery()).size(), 4u);
}

TEST_F(RecoveryFolder, ALeftCopyIsClaimedByOneProgramAtATime) {
    EXPECT_FALSE(ClaimLeftRecovery(recovery())); // no folder at all
    const fs::path left = leaveCopy("pad-9-c.ckd", {"/home/me/pad.ckd", SomeTime});
    {
        std::optional<LeftRecovery> claimed = ClaimLeftRecovery(recovery());
        ASSERT_TRUE(claimed);
        EXPECT_EQ(claimed->path, left);
        EXPECT_EQ(claimed->info, (RecoveryInfo{"/home/me/pad.ckd", SomeTime}));
        TKeypadClass restored;
        claimed->RestoreInto(restored);
        ExpectSameDefinition(restored, FullDefinitionAsWritten());
        EXPECT_FALSE(ClaimLeftRecovery(recovery())) << "claimed twice";
    }
    // Neither restored nor discarded: offered again later.
    std::optional<LeftRecovery> again = ClaimLeftRecovery(recovery());
    ASSERT_TRUE(again);
    again->Discard();
    EXPECT_TRUE(FolderEntries(recovery()).empty());
}

TEST_F(RecoveryFolder, TheNewestReadableCopyIsOfferedAndUnusableFilesGo) {
    leaveCopy("older-1-a.ckd", {"/home/me/older.ckd", SomeTime});
    leaveCopy("newer-2-b.ckd", {"/home/me/newer.ckd", SomeTime + 60s});
    WriteBytes(recovery() / "broken-3-c.ckd", "[KEY1]\r\nLEVEL_1_CODES=41\r\n");
    WriteBytes(recovery() / "gone-4-d.lock", "");
    const std::optional<LeftRecovery> claimed = ClaimLeftRecovery(recovery());
    ASSERT_TRUE(claimed);
    EXPECT_EQ(claimed->info.document, "/home/me/newer.ckd");
    EXPECT_EQ(FolderEntries(recovery()), (std::vector<std::string>{"newer-2-b.ckd", "newer-2-b.lock",
                                                                   "older-1-a.ckd", "older-1-a.lock"}));
}

} // namespace

#include "files/RecoveryFile.h"

#include "files/DefinitionFile.h"
#include "files/DefinitionFormat.h"
#include "files/FileBytes.h"
#include "files/FileError.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;
namespace chrono = std::chrono;

namespace {

// In the parameters' section: the definition reader reads every other section as a key's.
constexpr std::string_view Section = DefinitionNames::GlobalSection;
constexpr char DocumentKey[] = "RecoveryDocument";
constexpr char TimeKey[] = "RecoveryTime";
constexpr char CopyExtension[] = ".ckd";
constexpr char LockExtension[] = ".lock";

std::string timeText(chrono::sys_seconds time) {
    const chrono::sys_days day = chrono::floor<chrono::days>(time);
    const chrono::year_month_day date(day);
    const chrono::hh_mm_ss clock(time - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

// Exactly the form timeText writes, with a date that exists.
std::optional<chrono::sys_seconds> parseTimeText(std::string_view text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto number = [text](std::size_t at, std::size_t digits) -> std::optional<int> {
        int value = 0;
        for (std::size_t i = at; i < at + digits; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const auto hours = number(11, 2), minutes = number(14, 2), seconds = number(17, 2);
    if (!year || !month || !day || !hours || !minutes || !seconds || *hours > 23 || *minutes > 59 ||
        *seconds > 59)
        return std::nullopt;
    const chrono::year_month_day date{chrono::year(*year), chrono::month(static_cast<unsigned>(*month)),
                                      chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok())
        return std::nullopt;
    return chrono::sys_days(date) + chrono::hours(*hours) + chrono::minutes(*minutes) +
           chrono::seconds(*seconds);
}

[[noreturn]] void notARecoveryCopy() {
    throw FileError("The file is not a recovery copy");
}

// A short, plain part of the document's name for the copy's file name: the name without its folder
// and extension, letters and digits kept and anything else made "_".
std::string nameForCopy(const std::string& document) {
    const std::u8string stem = fs::path(std::u8string(document.begin(), document.end())).stem().u8string();
    std::string name;
    for (const char8_t c : stem) {
        if (name.size() == 40)
            break;
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_';
        name += plain ? static_cast<char>(c) : '_';
    }
    return name.empty() ? "untitled" : name;
}

fs::path lockPathOf(fs::path copy) {
    return copy.replace_extension(LockExtension);
}

} // namespace

std::string RecoveryText(const TKeypadClass& keypad, const RecoveryInfo& info) {
    IniFile ini;
    const bool holdable = info.document.find_first_of("\r\n") == std::string::npos;
    ini.WriteString(Section, DocumentKey, holdable ? info.document : std::string());
    ini.WriteString(Section, TimeKey, timeText(info.time));
    WriteDefinition(ini, keypad);
    return ini.Text();
}

RecoveryInfo ReadRecovery(TKeypadClass& keypad, const IniFile& ini) {
    if (!ini.HasKey(Section, DocumentKey))
        notARecoveryCopy();
    const std::optional<chrono::sys_seconds> time = parseTimeText(ini.ReadStringView(Section, TimeKey));
    if (!time)
        notARecoveryCopy();
    RecoveryInfo info{ini.ReadString(Section, DocumentKey), *time};
    ReadDefinition(keypad, ini);
    return info;
}

RecoveryCopy::RecoveryCopy(fs::path folder, std::string instance)
    : fFolder(std::move(folder))
    , fInstance(std::move(instance)) {}

RecoveryCopy::~RecoveryCopy() {
    Remove();
}

void RecoveryCopy::Write(const TKeypadClass& keypad, const RecoveryInfo& info) {
    const std::string text = RecoveryText(keypad, info);
    const fs::path path = fFolder / (nameForCopy(info.document) + "-" + fInstance + CopyExtension);
    if (path == fPath) {
        try {
            WriteFileAtomically(fPath, text);
            return;
        } catch (const FileError&) {
            std::error_code error;
            if (fs::is_directory(fFolder, error))
                throw;
            Remove(); // the folder was removed under the copy: make it all again
        }
    }
    std::error_code error;
    fs::create_directories(fFolder, error);
    if (error)
        ThrowUnableToWrite(path, error.message());
    // Locked before the copy exists, so that no other program ever sees it unlocked.
    std::optional<FileLock> lock = FileLock::TryLock(lockPathOf(path));
    if (!lock)
        ThrowUnableToWrite(path, std::make_error_code(std::errc::device_or_resource_busy).message());
    try {
        WriteFileAtomically(path, text);
    } catch (const FileError&) {
        lock->RemoveAndRelease();
        throw;
    }
    Remove();
    fPath = path;
    fLock = std::move(lock);
}

void RecoveryCopy::Remove() noexcept {
    if (fPath.empty())
        return;
    std::error_code ignored;
    fs::remove(fPath, ignored);
    fLock->RemoveAndRelease();
    fLock.reset();
    fPath.clear();
}

void LeftRecovery::RestoreInto(TKeypadClass& keypad) const {
    ReadRecovery(keypad, text);
}

void LeftRecovery::Discard() {
    std::error_code ignored;
    fs::remove(path, ignored);
    lock.RemoveAndRelease();
}

std::optional<LeftRecovery> ClaimLeftRecovery(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return std::nullopt;
    std::vector<fs::path> copies;
    std::vector<fs::path> locks;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path& path = entry->path();
        if (path.extension() == CopyExtension)
            copies.push_back(path);
        else if (path.extension() == LockExtension)
            locks.push_back(path);
    }

    std::vector<LeftRecovery> left;
    for (const fs::path& copy : copies) {
        std::optional<FileLock> lock;
        try {
            lock = FileLock::TryLock(lockPathOf(copy));
        } catch (const FileError&) {
            continue; // a lock that cannot even be opened cannot be taken: leave the copy alone
        }
        if (!lock)
            continue; // its program is still running
        if (!fs::is_regular_file(copy, error)) {
            lock->RemoveAndRelease(); // removed by its program since the folder was listed
            continue;
        }
        try {
            IniFile text = LoadDefinitionIni(copy);
            TKeypadClass scratch;
            RecoveryInfo info = ReadRecovery(scratch, text);
            left.push_back({copy, std::move(info), std::move(text), std::move(*lock)});
        } catch (const FileError&) {
            fs::remove(copy, error);
            lock->RemoveAndRelease();
        }
    }
    for (const fs::path& path : locks) {
        fs::path copy = path;
        copy.replace_extension(CopyExtension);
        if (std::find(copies.begin(), copies.end(), copy) != copies.end())
            continue;
        try {
            if (std::optional<FileLock> lock = FileLock::TryLock(path); lock && !fs::exists(copy, error))
                lock->RemoveAndRelease();
        } catch (const FileError&) {
        }
    }

    const auto newest = std::max_element(
        left.begin(), left.end(), [](const auto& a, const auto& b) { return a.info.time < b.info.time; });
    if (newest == left.end())
        return std::nullopt;
    return std::move(*newest);
}

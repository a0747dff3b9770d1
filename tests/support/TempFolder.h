#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// A test with its own empty folder, removed afterwards.
class TempFolderTest : public testing::Test {
protected:
    void SetUp() override {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        ASSERT_FALSE(error) << "no temporary folder: " << error.message();
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string("kw24-") + info->test_suite_name() + "-" + info->name() + "-" +
                                 std::to_string(std::random_device{}());
        folder = base / name;
        ASSERT_TRUE(std::filesystem::create_directory(folder, error))
            << "cannot create " << folder << ": " << error.message();
    }

    void TearDown() override {
        if (folder.empty())
            return;
        std::error_code error;
        // Folders made read-only by a test must become writable again to be removed.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
            if (entry.is_directory(error))
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, error);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(folder, error);
    }

    std::filesystem::path folder;
};

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out) << "cannot create " << path;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Makes folder read-only. False when the system still lets this user create files in it (as for an
// administrator), so a test that needs the refusal can skip.
inline bool MakeReadOnly(const std::filesystem::path& folder) {
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const std::filesystem::path probe = folder / "probe";
    const bool writable = std::ofstream(probe).good();
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
    return !writable;
}

// The entries of a folder, by file name.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

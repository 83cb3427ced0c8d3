// File and folder existence checks, creating the folders of a path and the
// shell's known-folder lookup.
#include "base/file_util.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A fresh folder under the temporary folder, removed with its contents after
// the test.
class FileUtilTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        root_ = std::string(temp) + "kestrova_file_util_" + std::to_string(GetCurrentProcessId()) + "_"
                + std::to_string(GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    }
    void TearDown() override { remove_tree(root_); }

    std::string at(const std::string& name) const { return root_ + "\\" + name; }

    static void write_file(const std::string& path)
    {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(h, "data", 4, &written, nullptr);
        CloseHandle(h);
    }
    static bool is_directory(const std::string& path)
    {
        DWORD attrs = GetFileAttributesA(path.c_str());
        return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
    }
    static void remove_tree(const std::string& dir)
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string path = dir + "\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    remove_tree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string root_;
};

} // namespace

TEST_F(FileUtilTest, FileExistsOnlyForFiles)
{
    write_file(at("data.txt"));
    EXPECT_TRUE(file_exists(at("data.txt").c_str()));
    EXPECT_FALSE(file_exists(root_.c_str())) << "a directory is no file";
    EXPECT_FALSE(file_exists(at("missing.txt").c_str()));
    EXPECT_FALSE(file_exists(at("missing\\data.txt").c_str()));
}

TEST_F(FileUtilTest, PathExistsForFilesAndDirectories)
{
    write_file(at("data.txt"));
    EXPECT_TRUE(path_exists(root_.c_str()));
    EXPECT_TRUE(path_exists(at("data.txt").c_str()));
    EXPECT_FALSE(path_exists(at("missing").c_str()));
}

TEST_F(FileUtilTest, FilePatternExists)
{
    write_file(at("report_01.csv"));
    WIN32_FIND_DATAA fd{};
    EXPECT_TRUE(file_pattern_exists(at("*.csv").c_str(), &fd));
    EXPECT_STREQ(fd.cFileName, "report_01.csv");
    EXPECT_TRUE(file_pattern_exists(at("report_??.*").c_str(), &fd));
    EXPECT_FALSE(file_pattern_exists(at("*.txt").c_str(), &fd));
    EXPECT_TRUE(file_pattern_exists(at("*.csv").c_str(), nullptr)) << "the find data may be left out";
    // The search was closed: the folder can be removed at once.
    ASSERT_TRUE(DeleteFileA(at("report_01.csv").c_str()));
    EXPECT_FALSE(file_pattern_exists(at("*.csv").c_str(), &fd));
}

TEST_F(FileUtilTest, CreateDirectoryPathStopsAtLastBackslash)
{
    create_directory_path(at("a\\b\\c\\file.txt").c_str());
    EXPECT_TRUE(is_directory(at("a")));
    EXPECT_TRUE(is_directory(at("a\\b")));
    EXPECT_TRUE(is_directory(at("a\\b\\c")));
    EXPECT_FALSE(path_exists(at("a\\b\\c\\file.txt").c_str())) << "the file name is not created";

    // Folders that already exist are passed over, a trailing '\' creates the last one.
    create_directory_path(at("a\\b\\d\\").c_str());
    EXPECT_TRUE(is_directory(at("a\\b\\d")));
    EXPECT_TRUE(is_directory(at("a\\b\\c")));
}

TEST_F(FileUtilTest, CreateDirectoryPathWithoutBackslashCreatesNothing)
{
    char old_dir[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(sizeof old_dir, old_dir), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    create_directory_path("plain_name");
    create_directory_path("");
    create_directory_path(nullptr);
    const bool created = path_exists("plain_name");
    SetCurrentDirectoryA(old_dir);
    EXPECT_FALSE(created);
}

TEST(GetFolderPathDynamic, LocalAppData)
{
    char path[MAX_PATH];
    std::memset(path, 'x', sizeof path);
    ASSERT_TRUE(get_folder_path_dynamic(CSIDL_LOCAL_APPDATA, path));
    ASSERT_NE(std::memchr(path, '\0', sizeof path), nullptr) << "terminated";
    EXPECT_GT(std::strlen(path), 3u);
    EXPECT_TRUE(path_exists(path)) << path;
}

TEST(GetFolderPathDynamic, BogusFolderFails)
{
    char path[MAX_PATH] = "stale";
    EXPECT_FALSE(get_folder_path_dynamic(0x7F, path));
    EXPECT_STREQ(path, "") << "no stale text on failure";
}

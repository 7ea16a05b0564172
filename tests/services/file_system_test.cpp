#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "service_factory.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

// Each test gets a fresh folder of its own and a file-system service whose program folder it is.
struct FileSystemTest : ::testing::Test {
    fs::path folder;
    std::unique_ptr<FileSystem> files;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("pm-fs-" + std::string(info->name()) + "-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(folder);
        files = test::make_file_system(folder.string());
    }
    void TearDown() override {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) test::make_read_only(entry.path().string(), false);
        }
        fs::remove_all(folder);
    }
    std::u16string path(const std::string& name) { return test::service_path((folder / name).string()); }
    void write_host(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    std::string read_host(const std::string& name) {
        std::ifstream in(folder / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string read_service(const std::u16string& p) {
        std::unique_ptr<OpenFile> file;
        EXPECT_EQ(files->open_read(p, file), sys_error::ok);
        std::string bytes;
        char buffer[7];
        for (std::size_t got = 1; got > 0;) {
            EXPECT_EQ(file->read(buffer, got), sys_error::ok);
            bytes.append(buffer, got);
        }
        EXPECT_EQ(file->close(), sys_error::ok);
        return bytes;
    }
};

TEST_F(FileSystemTest, TellsFilesFoldersAndMissingEntriesApart) {
    write_host("a.txt", "x");
    fs::create_directory(folder / "DATA");
    PathInfo info;
    EXPECT_EQ(files->query(path("a.txt"), info), sys_error::ok);
    EXPECT_TRUE(info.exists);
    EXPECT_FALSE(info.directory);
    EXPECT_FALSE(info.read_only);
    EXPECT_EQ(files->query(path("DATA"), info), sys_error::ok);
    EXPECT_TRUE(info.directory);
    EXPECT_EQ(files->query(path("missing"), info), sys_error::ok);
    EXPECT_FALSE(info.exists);
    EXPECT_EQ(files->query(path("missing/deeper"), info), sys_error::ok);
    EXPECT_FALSE(info.exists);

    test::make_read_only((folder / "a.txt").string(), true);
    EXPECT_EQ(files->query(path("a.txt"), info), sys_error::ok);
    EXPECT_TRUE(info.read_only);
}

TEST_F(FileSystemTest, WritesANewFileAndReadsItBack) {
    std::unique_ptr<OpenFile> file;
    ASSERT_EQ(files->create_new(path("n.txt"), {}, file), sys_error::ok);
    const std::string bytes = "JOB=\xe9\r\nLF\nend";
    std::size_t written = 0;
    EXPECT_EQ(file->write(bytes, written), sys_error::ok);
    EXPECT_EQ(written, bytes.size());
    EXPECT_EQ(file->flush(), sys_error::ok);
    EXPECT_EQ(file->close(), sys_error::ok);
    EXPECT_EQ(read_host("n.txt"), bytes);
    EXPECT_EQ(read_service(path("n.txt")), bytes);
}

TEST_F(FileSystemTest, CreateNewRefusesAnExistingFile) {
    write_host("n.txt", "old");
    std::unique_ptr<OpenFile> file;
    EXPECT_NE(files->create_new(path("n.txt"), {}, file), sys_error::ok);
    EXPECT_EQ(read_host("n.txt"), "old");
}

TEST_F(FileSystemTest, RenameReplacesTheTargetAndRemoveDeletes) {
    write_host("SETTINGS.TXT", "old");
    write_host("SETTINGS.NEW", "new");
    EXPECT_EQ(files->rename_replace(path("SETTINGS.NEW"), path("SETTINGS.TXT")), sys_error::ok);
    EXPECT_EQ(read_host("SETTINGS.TXT"), "new");
    EXPECT_FALSE(fs::exists(folder / "SETTINGS.NEW"));
    EXPECT_EQ(files->flush_to_medium(path("SETTINGS.TXT")), sys_error::ok);
    EXPECT_EQ(read_host("SETTINGS.TXT"), "new");
    EXPECT_EQ(files->flush_to_medium(path("SETTINGS.NEW")), sys_error::file_not_found);
    EXPECT_EQ(files->remove(path("SETTINGS.TXT")), sys_error::ok);
    EXPECT_FALSE(fs::exists(folder / "SETTINGS.TXT"));
    EXPECT_NE(files->remove(path("SETTINGS.TXT")), sys_error::ok);
}

TEST_F(FileSystemTest, ReportsMissingFilesWithTheSystemsCode) {
    std::unique_ptr<OpenFile> file;
    EXPECT_EQ(files->open_read(path("nothing.txt"), file), sys_error::file_not_found);
    EXPECT_EQ(file, nullptr);
    EXPECT_NE(files->open_read(path("."), file), sys_error::ok);  // a folder is no file to read
}

TEST_F(FileSystemTest, KnowsItsProgramFolderAndDescribesErrors) {
    EXPECT_EQ(files->program_folder(), test::service_path(folder.string()));
    const std::u16string denied = files->describe(sys_error::access_denied);
    EXPECT_FALSE(denied.empty());
    EXPECT_NE(denied, files->describe(sys_error::disk_full));
    EXPECT_NE(denied.back(), u'\n');
}

}  // namespace
}  // namespace pm

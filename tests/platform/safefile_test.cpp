#include "platform/safefile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("vellicor-safe-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }

    int FilesIn() const { return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }
    fs::path dir;
};

TEST_F(SafeFileTest, WritesReplacesAndReadsBack)
{
    const std::string path = (dir / "job.vcj").string();
    ASSERT_EQ(WriteFileAtomically(path, std::string("first\0bytes", 11)), FileError::None);
    ASSERT_EQ(WriteFileAtomically(path, "second"), FileError::None);
    std::string content;
    ASSERT_EQ(ReadWholeFile(path, content), FileError::None);
    EXPECT_EQ(content, "second");
    EXPECT_EQ(FilesIn(), 1);  // no temporary file left behind
}

TEST_F(SafeFileTest, FailuresAreReportedAndLeaveTheOldFile)
{
    std::string content;
    EXPECT_EQ(ReadWholeFile((dir / "absent").string(), content), FileError::NotFound);
    EXPECT_EQ(WriteFileAtomically((dir / "no" / "such" / "dir.vcj").string(), "x"), FileError::NotFound);
    EXPECT_EQ(WriteFileAtomically(dir.string(), "x"), FileError::AccessDenied);
    EXPECT_EQ(ReadWholeFile(dir.string(), content), FileError::AccessDenied);
    EXPECT_EQ(FilesIn(), 0);
}

TEST_F(SafeFileTest, ReadOnlyFolderKeepsTheOldFile)
{
    std::string content;
    const std::string path = (dir / "keep.vcj").string();
    ASSERT_EQ(WriteFileAtomically(path, "old"), FileError::None);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (WriteFileAtomically((dir / "probe").string(), "x") == FileError::None)
        GTEST_SKIP() << "running with rights that ignore directory permissions";
    EXPECT_EQ(WriteFileAtomically(path, "new"), FileError::AccessDenied);
    fs::permissions(dir, fs::perms::owner_all);
    ASSERT_EQ(ReadWholeFile(path, content), FileError::None);
    EXPECT_EQ(content, "old");
    EXPECT_EQ(FilesIn(), 1);
}

} // namespace
} // namespace vellicor

#include "platform/safefile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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
        ClearWriteFault();
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }

    int FilesIn() const { return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }
    std::string Read(const fs::path& path) const
    {
        std::string content;
        EXPECT_EQ(ReadWholeFile(path.string(), content), FileError::None);
        return content;
    }
    void Put(const fs::path& path, const std::string& content) const { std::ofstream(path, std::ios::binary) << content; }
    fs::path dir;
};

TEST_F(SafeFileTest, WritesReplacesAndReadsBack)
{
    const std::string path = (dir / "job.vcj").string();
    ASSERT_EQ(WriteFileAtomically(path, std::string("first\0bytes", 11)), FileError::None);
    ASSERT_EQ(WriteFileAtomically(path, "second"), FileError::None);
    EXPECT_EQ(Read(path), "second");
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
    const std::string path = (dir / "keep.vcj").string();
    ASSERT_EQ(WriteFileAtomically(path, "old"), FileError::None);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (WriteFileAtomically((dir / "probe").string(), "x") == FileError::None)
        GTEST_SKIP() << "running with rights that ignore directory permissions";
    EXPECT_EQ(WriteFileAtomically(path, "new"), FileError::AccessDenied);
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FilesIn(), 1);
}

TEST_F(SafeFileTest, AFileNameNearTheLimitStillHasRoomForItsTemporary)
{
    const fs::path path = dir / (std::string(246, 'n') + ".vcj");
    ASSERT_EQ(path.filename().string().size(), 250u);
    ASSERT_EQ(WriteFileAtomically(path.string(), "old"), FileError::None);
    ASSERT_EQ(WriteFileAtomically(path.string(), "new"), FileError::None);
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(FilesIn(), 1);
}

TEST_F(SafeFileTest, TheSameFileThroughLinksAndSpellings)
{
    Put(dir / "job.vcj", "job");
    fs::create_symlink(dir / "job.vcj", dir / "link.vcj");
    const std::string job = (dir / "job.vcj").string();
    EXPECT_TRUE(IsSameFile(job, job));
    EXPECT_TRUE(IsSameFile(job, (dir / "." / "job.vcj").string()));
    EXPECT_TRUE(IsSameFile(job, (dir / "link.vcj").string()));
    EXPECT_FALSE(IsSameFile(job, (dir / "report.rtf").string()));
    EXPECT_TRUE(IsSameFile((dir / "a.rtf").string(), (dir / "sub" / ".." / "a.rtf").string()));  // not yet written
    EXPECT_FALSE(IsSameFile((dir / "a.rtf").string(), (dir / "b.rtf").string()));
}

TEST_F(SafeFileTest, AnInjectedFaultFailsOrStopsTheNthWriteOnly)
{
    const std::string path = (dir / "stock.db").string();
    ASSERT_EQ(WriteFileAtomically(path, "old"), FileError::None);

    InjectWriteFault(2, WriteFault::Fail);
    EXPECT_EQ(WriteFileAtomically(path, "first"), FileError::None);
    EXPECT_EQ(WriteFileAtomically(path, "second"), FileError::Other);
    EXPECT_EQ(WriteFileAtomically(path, "third"), FileError::None);
    EXPECT_EQ(Read(path), "third");

    InjectWriteFault(1, WriteFault::Stop);
    EXPECT_THROW(WriteFileAtomically(path, "stopped half way"), WriteStopped);
    EXPECT_EQ(Read(path), "third");
    EXPECT_EQ(FilesIn(), 2);  // the half-written temporary, as a killed program leaves it

    // The next write clears what the stopped one left.
    EXPECT_EQ(WriteFileAtomically(path, "after"), FileError::None);
    EXPECT_EQ(Read(path), "after");
    EXPECT_EQ(FilesIn(), 1);
}

TEST_F(SafeFileTest, TemporariesOfEndedProgramsAreRemovedOthersStay)
{
    Put(dir / "stock.db", "db");
    Put(dir / ".vc2147483646-a1b2c3.tmp", "of an ended program");
    Put(dir / "stock.db.tmp123456", "of an earlier version");
    Put(dir / ".vc1-a1b2c3.tmp", "of a running program");  // process 1 always runs
    Put(dir / "notes.tmp12", "no file of that name beside it");
    Put(dir / ".vcx.tmp", "not one of ours");
    RemoveStaleTemporaries(dir.string());
    EXPECT_FALSE(fs::exists(dir / ".vc2147483646-a1b2c3.tmp"));
    EXPECT_FALSE(fs::exists(dir / "stock.db.tmp123456"));
    EXPECT_TRUE(fs::exists(dir / ".vc1-a1b2c3.tmp"));
    EXPECT_TRUE(fs::exists(dir / "notes.tmp12"));
    EXPECT_TRUE(fs::exists(dir / ".vcx.tmp"));
    EXPECT_TRUE(fs::exists(dir / "stock.db"));
}

#ifndef _WIN32
struct stat StatOf(const fs::path& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0);
    return st;
}

// The shared inventory stays shared: the link is written through, mode and group are kept.
TEST_F(SafeFileTest, TargetsKeepTheirLinksModesAndGroups)
{
    struct Case {
        const char* name;
        mode_t mode;
        bool symlinked;
        bool otherGroup;
    };
    const Case cases[] = {
        {"private", 0600, false, false},
        {"group-shared", 0664, false, true},
        {"symlinked", 0640, true, false},
        {"symlinked and group-shared", 0660, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path real = dir / (std::string(c.name) + ".db");
        const fs::path named = c.symlinked ? dir / (std::string(c.name) + ".link") : real;
        Put(real, "old");
        ASSERT_EQ(::chmod(real.c_str(), c.mode), 0);
        gid_t group = StatOf(real).st_gid;
        if (c.otherGroup) {
            if (geteuid() != 0)
                GTEST_SKIP() << "giving a file another group needs root";
            group += 4321;
            ASSERT_EQ(::chown(real.c_str(), static_cast<uid_t>(-1), group), 0);
        }
        if (c.symlinked)
            fs::create_symlink(real.filename(), named);

        ASSERT_EQ(WriteFileAtomically(named.string(), "new"), FileError::None);
        EXPECT_EQ(Read(real), "new");
        EXPECT_TRUE(!c.symlinked || fs::is_symlink(named));
        const struct stat st = StatOf(real);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
        EXPECT_EQ(st.st_gid, group);
    }
}

// Root may write any file; a target without a write bit is still refused, with the old content.
TEST_F(SafeFileTest, AReadOnlyTargetIsRefusedWhoeverWrites)
{
    const fs::path path = dir / "job.vcj";
    Put(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(CheckWritable(path.string()), FileError::AccessDenied);
    EXPECT_EQ(WriteFileAtomically(path.string(), "new"), FileError::AccessDenied);
    fs::create_symlink(path.filename(), dir / "link.vcj");
    EXPECT_EQ(WriteFileAtomically((dir / "link.vcj").string(), "new"), FileError::AccessDenied);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FilesIn(), 2);
    EXPECT_EQ(CheckWritable((dir / "absent.vcj").string()), FileError::None);
}

TEST_F(SafeFileTest, ALinkToAFileNotYetWrittenCreatesItsTarget)
{
    fs::create_directories(dir / "shared");
    fs::create_symlink(fs::path("shared") / "stock.db", dir / "stock.db");
    ASSERT_EQ(WriteFileAtomically((dir / "stock.db").string(), "new"), FileError::None);
    EXPECT_TRUE(fs::is_symlink(dir / "stock.db"));
    EXPECT_EQ(Read(dir / "shared" / "stock.db"), "new");
}
#endif

} // namespace
} // namespace vellicor

#include "platform/safefile.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <mutex>
#include <random>
#include <set>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vellicor {
namespace {

namespace fs = std::filesystem;

// Short, so that a name near the file system's limit still has a temporary beside it; the process
// id tells whether its writer still runs.
constexpr std::string_view kTempPrefix = ".vc";
constexpr std::string_view kTempSuffix = ".tmp";

std::atomic<int> faultCountdown{0};
std::atomic<int> faultKind{0};

// The temporaries this process is writing now; any other of its own is left from a stopped write.
std::mutex activeMutex;
std::set<std::string> activeTemps;

FileError FromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case EISDIR:
        return FileError::AccessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return FileError::DiskFull;
    default:
        return FileError::Other;
    }
}

#ifdef _WIN32
int CurrentPid()
{
    return static_cast<int>(GetCurrentProcessId());
}

bool ProcessRuns(int pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool runs = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return runs;
}
#else
int CurrentPid()
{
    return static_cast<int>(getpid());
}

bool ProcessRuns(int pid)
{
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}
#endif

// The file a path finally names: symbolic links followed, also one whose target is still absent.
fs::path RealTarget(fs::path path)
{
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        const fs::path link = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

fs::path FolderOf(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// A read-only file is refused even where the user's rights would let the write through.
FileError CheckTarget(const fs::path& target)
{
    std::error_code ec;
    if (!fs::is_directory(FolderOf(target), ec))
        return FileError::NotFound;
    const auto status = fs::status(target, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        return FileError::Other;
    if (!fs::exists(status))
        return FileError::None;
    if (fs::is_directory(status))
        return FileError::AccessDenied;
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & write) == fs::perms::none)
        return FileError::AccessDenied;
#ifndef _WIN32
    if (access(target.c_str(), W_OK) != 0 || access(FolderOf(target).c_str(), W_OK | X_OK) != 0)
        return FromErrno(errno);
#endif
    return FileError::None;
}

std::string TempName()
{
    static constexpr char kHex[] = "0123456789abcdef";
    thread_local std::mt19937 random{std::random_device{}()};
    std::string name(kTempPrefix);
    name += std::to_string(CurrentPid());
    name += '-';
    for (int i = 0; i < 6; ++i)
        name += kHex[random() % 16];
    name += kTempSuffix;
    return name;
}

// The writing process of a temporary's name; 0 when the name is not one of ours.
int TempPid(const std::string& name)
{
    if (name.size() <= kTempPrefix.size() + kTempSuffix.size() || !name.starts_with(kTempPrefix)
        || !name.ends_with(kTempSuffix))
        return 0;
    long long pid = 0;
    for (std::size_t i = kTempPrefix.size(); i < name.size() && name[i] != '-'; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        pid = pid * 10 + (name[i] - '0');
        if (pid > std::numeric_limits<int>::max())
            return 0;
    }
    return static_cast<int>(pid);
}

// Earlier versions wrote "<name>.tmp" and up to six digits beside the file and left it on a crash.
bool IsOldTemporary(const fs::path& path)
{
    const std::string name = path.filename().string();
    const std::size_t mark = name.rfind(".tmp");
    if (mark == std::string::npos || mark == 0 || name.size() == mark + 4 || name.size() > mark + 10)
        return false;
    for (std::size_t i = mark + 4; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    std::error_code ec;
    return fs::is_regular_file(path.parent_path() / name.substr(0, mark), ec);
}

class ActiveTemp {
public:
    explicit ActiveTemp(std::string path) : path_(std::move(path))
    {
        const std::lock_guard lock(activeMutex);
        activeTemps.insert(path_);
    }
    ~ActiveTemp()
    {
        const std::lock_guard lock(activeMutex);
        activeTemps.erase(path_);
    }
    ActiveTemp(const ActiveTemp&) = delete;
    ActiveTemp& operator=(const ActiveTemp&) = delete;

private:
    std::string path_;
};

bool IsActive(const fs::path& path)
{
    const std::lock_guard lock(activeMutex);
    return activeTemps.count(path.string()) != 0;
}

// The fault for this write, counted down once per write.
int TakeFault()
{
    int left = faultCountdown.load();
    while (left > 0 && !faultCountdown.compare_exchange_weak(left, left - 1)) {
    }
    return left == 1 ? faultKind.load() + 1 : 0;
}

#ifdef _WIN32
FileError LastError()
{
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return FileError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileError::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileError::DiskFull;
    default:
        return FileError::Other;
    }
}

FileError WriteTemp(const fs::path& temp, const fs::path&, std::string_view content, int fault)
{
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    const std::size_t size = fault == 2 ? content.size() / 2 : content.size();
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(size), &written, nullptr) && written == size;
    if (fault == 2) {
        CloseHandle(file);
        throw WriteStopped();
    }
    const FileError error = !ok ? LastError() : !FlushFileBuffers(file) ? LastError() : FileError::None;
    CloseHandle(file);
    return error;
}

FileError ReplaceWith(const fs::path& temp, const fs::path& target)
{
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastError();
    return FileError::None;
}

void SyncFolder(const fs::path&)
{
    // MOVEFILE_WRITE_THROUGH has made the rename durable.
}
#else
FileError WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? FromErrno(errno) : FileError::Other;
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return FileError::None;
}

// The new file takes the mode and owners of the one it replaces; a group it cannot take stays
// the folder's.
void KeepOwnership(int fd, const fs::path& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return;
    if (fchown(fd, st.st_uid, st.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
        // Not a member of the file's group: the folder's group is the best left.
    }
    fchmod(fd, st.st_mode & 07777);
}

FileError WriteTemp(const fs::path& temp, const fs::path& target, std::string_view content, int fault)
{
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return FromErrno(errno);
    KeepOwnership(fd, target);
    if (fault == 2) {
        (void)WriteAll(fd, content.substr(0, content.size() / 2));
        ::close(fd);
        throw WriteStopped();
    }
    FileError error = WriteAll(fd, content);
    if (error == FileError::None && ::fsync(fd) != 0)
        error = FromErrno(errno);
    if (::close(fd) != 0 && error == FileError::None)
        error = FromErrno(errno);
    return error;
}

FileError ReplaceWith(const fs::path& temp, const fs::path& target)
{
    return ::rename(temp.c_str(), target.c_str()) == 0 ? FileError::None : FromErrno(errno);
}

void SyncFolder(const fs::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif

} // namespace

FileError CheckWritable(const std::string& path)
{
    return CheckTarget(RealTarget(fs::u8path(path)));
}

FileError WriteFileAtomically(const std::string& path, std::string_view content)
{
    const fs::path target = RealTarget(fs::u8path(path));
    if (const FileError error = CheckTarget(target); error != FileError::None)
        return error;
    const int fault = TakeFault();
    if (fault == 1)
        return FileError::Other;

    const fs::path dir = FolderOf(target);
    fs::path temp;
    FileError error = FileError::Other;
    for (int attempt = 0; attempt < 10 && error != FileError::None; ++attempt) {
        temp = dir / TempName();
        const ActiveTemp active(temp.string());
        error = WriteTemp(temp, target, content, fault);
        if (error == FileError::None)
            error = ReplaceWith(temp, target);
        if (error != FileError::None) {
            std::error_code ec;
            fs::remove(temp, ec);
            if (!fs::exists(dir, ec))
                break;
        }
        // Only a name taken by another writer is worth a second try.
        if (error != FileError::Other)
            break;
    }
    if (error != FileError::None)
        return error;
    SyncFolder(dir);
    RemoveStaleTemporaries(dir.string());
    return FileError::None;
}

FileError ReadWholeFile(const std::string& path, std::string& content)
{
    const fs::path p = fs::u8path(path);
    std::error_code ec;
    if (!fs::exists(p, ec))
        return FileError::NotFound;
    if (fs::is_directory(p, ec))
        return FileError::AccessDenied;
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return errno ? FromErrno(errno) : FileError::AccessDenied;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return FileError::Other;
    return FileError::None;
}

FileError RemoveFileDurably(const std::string& path)
{
    const fs::path p = fs::u8path(path);
    std::error_code ec;
    if (!fs::remove(p, ec) && ec)
        return ec == std::errc::no_such_file_or_directory ? FileError::None : FileError::AccessDenied;
    SyncFolder(FolderOf(p));
    return FileError::None;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    if (fs::equivalent(fs::u8path(a), fs::u8path(b), ec) && !ec)
        return true;
    const fs::path first = fs::weakly_canonical(fs::absolute(fs::u8path(a), ec), ec);
    return !ec && first == fs::weakly_canonical(fs::absolute(fs::u8path(b), ec), ec) && !ec;
}

void RemoveStaleTemporaries(const std::string& dir)
{
    std::error_code ec;
    for (fs::directory_iterator it(fs::u8path(dir), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        const int pid = TempPid(path.filename().string());
        const bool stale = pid != 0 ? (pid == CurrentPid() ? !IsActive(path) : !ProcessRuns(pid))
                                    : IsOldTemporary(path);
        std::error_code ignored;
        if (stale && it->is_regular_file(ignored))
            fs::remove(path, ignored);
    }
}

void InjectWriteFault(int nth, WriteFault fault)
{
    faultKind = fault == WriteFault::Fail ? 0 : 1;
    faultCountdown = nth;
}

void ClearWriteFault()
{
    faultCountdown = 0;
}

} // namespace vellicor

#include "platform/dirlock.h"

#include <filesystem>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace vellicor {
namespace {

constexpr auto kRetryPause = std::chrono::milliseconds(5);

} // namespace

#ifdef _WIN32
struct DirectoryLock::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
    ~Handle()
    {
        OVERLAPPED whole{};
        UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
        CloseHandle(file);
    }
};

std::unique_ptr<DirectoryLock> DirectoryLock::Acquire(const std::string& dir, std::chrono::milliseconds wait)
{
    const auto path = std::filesystem::u8path(dir) / kLockFileName;
    auto handle = std::make_unique<Handle>();
    handle->file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle->file == INVALID_HANDLE_VALUE)
        return nullptr;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        OVERLAPPED whole{};
        if (LockFileEx(handle->file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                       &whole))
            return std::unique_ptr<DirectoryLock>(new DirectoryLock(std::move(handle)));
        if (std::chrono::steady_clock::now() >= deadline)
            return nullptr;
        std::this_thread::sleep_for(kRetryPause);
    }
}
#else
struct DirectoryLock::Handle {
    int fd = -1;
    // Closing the descriptor drops the lock.
    ~Handle() { ::close(fd); }
};

std::unique_ptr<DirectoryLock> DirectoryLock::Acquire(const std::string& dir, std::chrono::milliseconds wait)
{
    const auto path = std::filesystem::u8path(dir) / kLockFileName;
    auto handle = std::make_unique<Handle>();
    handle->fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (handle->fd < 0)
        return nullptr;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // flock, unlike fcntl locks, also keeps two descriptors of one process apart.
        if (::flock(handle->fd, LOCK_EX | LOCK_NB) == 0)
            return std::unique_ptr<DirectoryLock>(new DirectoryLock(std::move(handle)));
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            return nullptr;
        std::this_thread::sleep_for(kRetryPause);
    }
}
#endif

DirectoryLock::DirectoryLock(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

DirectoryLock::~DirectoryLock() = default;

} // namespace vellicor

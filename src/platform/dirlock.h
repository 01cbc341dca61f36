#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace vellicor {

// An exclusive lock on a directory among processes (and among threads that each take their own),
// held on the file `kLockFileName` inside it until the object goes; the system drops it when its
// process ends, however that happens.
class DirectoryLock {
public:
    // Waits up to `wait` for the lock; nothing when another holder kept it that long or the lock
    // file cannot be opened.
    static std::unique_ptr<DirectoryLock> Acquire(const std::string& dir, std::chrono::milliseconds wait);

    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    static constexpr const char* kLockFileName = "inventory.lck";

private:
    struct Handle;
    explicit DirectoryLock(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> handle_;
};

} // namespace vellicor

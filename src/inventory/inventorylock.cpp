#include "inventory/inventorylock.h"

#include "inventory/bookingjournal.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"

#include <filesystem>

namespace vellicor {

std::unique_ptr<DirectoryLock> LockInventory(const std::string& dataDir, IUserMessages& messages,
                                             std::chrono::milliseconds wait)
{
    auto lock = DirectoryLock::Acquire(dataDir, wait);
    if (!lock) {
        namespace fs = std::filesystem;
        const fs::path lockFile = fs::u8path(dataDir) / DirectoryLock::kLockFileName;
        std::error_code ec;
        if (!fs::is_directory(fs::u8path(dataDir), ec))
            messages.Tell(ids::FileNotFound, {dataDir}, MessageIcon::Error);
        else if (!fs::exists(lockFile, ec))
            messages.Tell(ids::WriteAccessDenied, {lockFile.string()}, MessageIcon::Error);
        else
            messages.Tell(ids::InventoryInUse, {dataDir}, MessageIcon::Warning);
        return nullptr;
    }
    RemoveStaleTemporaries(dataDir);
    if (!RollForwardBooking(dataDir, messages))
        return nullptr;
    return lock;
}

bool CompleteLeftBooking(const std::string& dataDir, IUserMessages& messages, std::chrono::milliseconds wait)
{
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(JournalPath(dataDir)), ec))
        return true;
    return LockInventory(dataDir, messages, wait) != nullptr;
}

} // namespace vellicor

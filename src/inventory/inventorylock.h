#pragma once

#include "platform/dirlock.h"

#include <chrono>
#include <memory>
#include <string>

namespace vellicor {

class IUserMessages;

// How long an inventory operation waits for another planner's to end.
inline constexpr std::chrono::milliseconds kInventoryLockWait{10000};

// Locks the data directory for a read-modify-write of its inventory files and completes a booking
// that an interrupted program left. Nothing, after the message, when the lock stays taken past
// `wait` or cannot be had at all, or when the left booking cannot be completed.
std::unique_ptr<DirectoryLock> LockInventory(const std::string& dataDir, IUserMessages& messages,
                                             std::chrono::milliseconds wait = kInventoryLockWait);

// Completes a booking that an interrupted program left, if there is one; a data directory without
// one is not touched. False after the message.
bool CompleteLeftBooking(const std::string& dataDir, IUserMessages& messages,
                         std::chrono::milliseconds wait = kInventoryLockWait);

} // namespace vellicor

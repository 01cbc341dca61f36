#include "platform/safefile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace vellicor {
namespace {

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
        return FileError::AccessDenied;
    case ENOSPC:
        return FileError::DiskFull;
    default:
        return FileError::Other;
    }
}

FileError FromErrorCode(const std::error_code& ec)
{
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
        return FileError::NotFound;
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted
        || ec == std::errc::read_only_file_system || ec == std::errc::device_or_resource_busy)
        return FileError::AccessDenied;
    if (ec == std::errc::no_space_on_device)
        return FileError::DiskFull;
    return FileError::Other;
}

} // namespace

FileError WriteFileAtomically(const std::string& path, std::string_view content)
{
    namespace fs = std::filesystem;
    const fs::path target = fs::u8path(path);
    std::error_code ec;
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(dir, ec))
        return FileError::NotFound;
    if (fs::exists(target, ec) && fs::is_directory(target, ec))
        return FileError::AccessDenied;

    std::random_device rd;
    fs::path temp = target;
    temp += ".tmp" + std::to_string(rd() % 1000000);
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return errno ? FromErrno(errno) : FileError::AccessDenied;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            const int err = errno;
            out.close();
            fs::remove(temp, ec);
            return err ? FromErrno(err) : FileError::Other;
        }
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return FileError::Other;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return FromErrorCode(ec);
    }
    return FileError::None;
}

FileError ReadWholeFile(const std::string& path, std::string& content)
{
    namespace fs = std::filesystem;
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

} // namespace vellicor

#include "cli/datadir.h"

#include "cli/context.h"
#include "platform/inisettingsstore.h"
#include "platform/stringids.h"
#include "units/textutil.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace vellicor::cli {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr char kPathListSeparator = ';';
#else
constexpr char kPathListSeparator = ':';
#endif

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> PathList(const std::string& list)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(kPathListSeparator, start), list.size());
        if (end > start)
            items.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::string Slashed(const fs::path& path)
{
    const std::u8string u8 = path.generic_u8string();
    std::string text(u8.begin(), u8.end());
    StripTrailingSlash(text);
    return text;
}

// The installer's machine-wide setting, where the desktop's settings library keeps it outside
// Windows (on Windows it sits in the registry, out of reach of standard C++).
std::string MachineInstallDir()
{
#ifdef _WIN32
    return {};
#else
    std::string dirs = Env("XDG_CONFIG_DIRS");
    if (dirs.empty())
        dirs = "/etc/xdg";
    for (const auto& dir : PathList(dirs)) {
        IniSettingsStore store(dir + "/Quintal/Vellicor.conf");
        if (!store.Load())
            continue;
        if (const auto value = store.ReadString("General", "InstallDir"); value && !Trim(*value).empty())
            return Trim(*value);
    }
    return {};
#endif
}

// The directory of the program file, its links resolved; a bare name was found on the PATH.
fs::path ProgramDir(const std::string& programPath)
{
    fs::path program = fs::u8path(programPath);
    std::error_code ec;
    if (!program.has_parent_path()) {
        for (const auto& dir : PathList(Env("PATH"))) {
            const fs::path candidate = fs::u8path(dir) / program;
            if (fs::is_regular_file(candidate, ec)) {
                program = candidate;
                break;
            }
        }
    }
    const fs::path resolved = fs::weakly_canonical(fs::absolute(program, ec), ec);
    return ec ? fs::current_path(ec) : resolved.parent_path();
}

bool IsWritableDir(const fs::path& dir)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec))
        return false;
    std::random_device random;
    const fs::path probe = dir / (".write-probe-" + std::to_string(random()));
    const bool written = static_cast<bool>(std::ofstream(probe, std::ios::binary));
    fs::remove(probe, ec);
    return written;
}

// Where the desktop's standard paths put its per-user application data.
fs::path UserDataDir()
{
#if defined(_WIN32)
    const fs::path base = fs::u8path(Env("APPDATA"));
#elif defined(__APPLE__)
    const fs::path base = fs::u8path(Env("HOME")) / "Library" / "Application Support";
#else
    const std::string xdg = Env("XDG_DATA_HOME");
    const fs::path base = !xdg.empty() ? fs::u8path(xdg) : fs::u8path(Env("HOME")) / ".local" / "share";
#endif
    return base / "Quintal" / "Vellicor";
}

} // namespace

std::string DefaultDataDir(const std::string& programPath)
{
    const std::string machine = MachineInstallDir();
    const fs::path install = machine.empty() ? ProgramDir(programPath) : fs::u8path(machine);
    if (IsWritableDir(install / "Data"))
        return Slashed(install / "Data");
    const fs::path user = UserDataDir();
    std::error_code ec;
    fs::create_directories(user, ec);
    return Slashed(user);
}

std::string CommandDataDir(Context& ctx, const std::optional<std::string>& given)
{
    std::string dir = given ? *given : DefaultDataDir(ctx.programPath);
    StripTrailingSlash(dir);
    std::error_code ec;
    if (dir.empty() || !fs::is_directory(fs::u8path(dir), ec)) {
        ctx.messages.Tell(ids::FileNotFound, {dir}, MessageIcon::Error);
        return {};
    }
    return dir;
}

} // namespace vellicor::cli

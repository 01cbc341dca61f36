#include "cli/cli.h"

#include "cli/context.h"
#include "optimiser/optimise.h"
#include "platform/stringids.h"
#include "units/units.h"

#include <array>
#include <cstdlib>
#include <exception>
#include <new>
#include <optional>
#include <ostream>
#include <string_view>

namespace vellicor::cli {
namespace {

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(Context&);
};

constexpr std::array kCommands{
    Command{"optimise", "optimise IN [-o OUT] [--report FILE.rtf] [--json] [--stats] [--engine yield|compatible]",
            "optimise a job: the layouts and figures, or the JSON job with --json; --stats tells, per\n"
            "      group, what the optimiser went through (on standard error); --engine picks the best-yield\n"
            "      engine or the one of earlier versions (default: the stored choice, else yield)",
            &RunOptimise},
    Command{"convert", "convert IN OUT", "convert a job between .vcj and .json, either way", &RunConvert},
    Command{"show", "show IN [--json]", "print a job's inputs, cut settings and result, or the JSON job", &RunShow},
    Command{"report", "report IN -o FILE.rtf|FILE.pdf", "write the report of a job that has a result, as RTF or PDF",
            &RunReport},
    Command{"knives", "knives IN [-o FILE.pdf] [--json]",
            "print the knife positions of each layout from the coil's left edge; -o writes the operator's\n"
            "      knife sheet as PDF, --json the positions in millimetres for a machine control",
            &RunKnives},
    Command{"book", "book IN [--data DIR | --store URI] [--order NO]",
            "book a job's result against the stock inventory in DIR or the database of URI and save the job;\n"
            "      --order sets its order number",
            &RunBook},
    Command{"inventory",
            "inventory list [--data DIR | --store URI] [--json]\n"
            "  inventory init --store URI\n"
            "  inventory export --store URI --data DIR\n"
            "  inventory import --store URI --data DIR",
            "print the stock inventory; create or migrate a database store; copy stock, log and library\n"
            "      from the database into the files of DIR (export) or from the files into the database (import)",
            &RunInventory},
    Command{"units", "units format VALUE_MM... | parse TEXT...",
            "format millimetre values in the display unit, or read texts in it", &RunUnits},
};

constexpr const char* kDataDirNote =
    "DIR is the desktop application's data directory unless --data is given. URI is a PostgreSQL\n"
    "connection URI (postgresql://host/db); without --data or --store the settings store's section\n"
    "\"Inventory\", value \"Store\" chooses, the files when it is empty. --store may also stand before\n"
    "the command.\n\n";

constexpr const char* kCommonOptions =
    "Options every command takes:\n"
    "  --profile FILE            settings store (INI file); a missing file means built-in defaults\n"
    "  --unit mm|cm|m|in-frac|in|ft   length unit for display and input\n"
    "  --decimals 0..3           display decimals\n"
    "  --denominator 8|16|32|64|128   fraction denominator for in-frac\n";

const Command* FindCommand(const std::string& name)
{
    for (const auto& c : kCommands)
        if (name == c.name)
            return &c;
    return nullptr;
}

void PrintHelp(std::ostream& out)
{
    out << "Usage: vellicor-cli [options] COMMAND [arguments]\n\n"
           "Plans slitter-line jobs from the command line with the desktop application's engine.\n\n"
           "Commands:\n";
    for (const auto& c : kCommands)
        out << "  " << c.usage << "\n      " << c.summary << '\n';
    out << "  --version | --help | COMMAND --help\n\n" << kDataDirNote << kCommonOptions
        << "\nExit status: 0 done, 1 input unreadable, refused or not writable, or out of memory,\n"
           "2 usage error, 3 no result or a refused booking.\n";
}

void PrintCommandHelp(std::ostream& out, const Command& c)
{
    out << "Usage: vellicor-cli [options] " << c.usage << "\n\n" << c.summary << "\n\n";
    if (std::string_view(c.usage).find("--data") != std::string_view::npos)
        out << kDataDirNote;
    out << kCommonOptions;
}

// The desktop application's own settings file, where QSettings keeps it.
std::string DefaultProfilePath()
{
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return std::string(appData ? appData : ".") + "\\Quintal\\Vellicor.ini";
#else
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/Quintal/Vellicor.conf";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.config/Quintal/Vellicor.conf";
#endif
}

std::optional<int> IndexOf(const std::string& value, std::initializer_list<const char*> names)
{
    int i = 0;
    for (const char* name : names) {
        if (value == name)
            return i;
        ++i;
    }
    return std::nullopt;
}

} // namespace

int UsageError(Context& ctx, const std::string& command, const std::string& message)
{
    ctx.err << "vellicor-cli: " << message << "\nTry 'vellicor-cli " << command << " --help'.\n";
    return kExitUsage;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& programPath)
{
    std::optional<std::string> profile;
    std::optional<int> unit;
    std::optional<int> decimals;
    std::optional<int> denominator;
    std::optional<std::string> storeUri;
    bool help = false;
    std::vector<std::string> rest;

    auto usage = [&](const std::string& message) {
        err << "vellicor-cli: " << message << "\nTry 'vellicor-cli --help'.\n";
        return kExitUsage;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            help = true;
        } else if (a == "--version") {
            out << "vellicor-cli 2.18\n";
            return kExitOk;
        } else if (a == "--profile") {
            profile = value();
            if (!profile)
                return usage("--profile needs a file");
        } else if (a == "--store" && rest.empty()) {
            storeUri = value();
            if (!storeUri)
                return usage("--store needs a URI");
        } else if (a == "--unit") {
            auto v = value();
            unit = v ? IndexOf(*v, {"mm", "cm", "m", "in-frac", "in", "ft"}) : std::nullopt;
            if (!unit)
                return usage("--unit takes mm, cm, m, in-frac, in or ft");
        } else if (a == "--decimals") {
            auto v = value();
            decimals = v ? IndexOf(*v, {"0", "1", "2", "3"}) : std::nullopt;
            if (!decimals)
                return usage("--decimals takes 0, 1, 2 or 3");
        } else if (a == "--denominator") {
            auto v = value();
            denominator = v ? IndexOf(*v, {"8", "16", "32", "64", "128"}) : std::nullopt;
            if (!denominator)
                return usage("--denominator takes 8, 16, 32, 64 or 128");
        } else {
            rest.push_back(a);
        }
    }

    if (rest.empty()) {
        if (help) {
            PrintHelp(out);
            return kExitOk;
        }
        return usage("no command given");
    }
    const Command* command = FindCommand(rest.front());
    if (!command)
        return usage("unknown command '" + rest.front() + "'");
    if (help) {
        PrintCommandHelp(out, *command);
        return kExitOk;
    }

    IniSettingsStore store(profile.value_or(DefaultProfilePath()));
    if (!store.Load()) {
        err << "vellicor-cli: cannot read the settings file " << store.Path() << '\n';
        return kExitIo;
    }
    // Each run starts from the defaults, whatever an earlier run in this process chose.
    SetUnitSettings(UnitSettings{});
    LoadUnitSettings(store);
    UnitSettings units = CurrentUnitSettings();
    if (unit)
        units.lengthUnit = *unit;
    if (decimals)
        units.decimalsIndex = *decimals;
    if (denominator)
        units.denominatorIndex = *denominator;
    SetUnitSettings(units);

    CliMessages messages(err);
    Context ctx{std::vector<std::string>(rest.begin() + 1, rest.end()), store, messages, out, err, programPath,
                storeUri};
    // Running out of memory, or any other failure, ends the command with a message, never an abort.
    try {
        return command->run(ctx);
    } catch (const COptimiseError& e) {
        messages.Tell(e.MessageId, e.Args, MessageIcon::Error);
    } catch (const std::bad_alloc&) {
        messages.Tell(ids::OutOfMemory, {}, MessageIcon::Error);
    } catch (const std::exception& e) {
        messages.Tell(ids::UnexpectedError, {e.what()}, MessageIcon::Error);
    }
    return kExitIo;
}

} // namespace vellicor::cli

#include "cli/commandstore.h"

#include "cli/context.h"
#include "cli/datadir.h"
#include "pgstore/openstore.h"
#include "pgstore/storeuri.h"

namespace vellicor::cli {

StoreChoice ChooseStore(Context& ctx, const std::string& command, const std::optional<std::string>& data,
                        const std::optional<std::string>& store, int& status)
{
    const std::optional<std::string> uri = store ? store : ctx.storeUri;
    if (data && uri) {
        status = UsageError(ctx, command, "give either --data or --store");
        return {};
    }
    if (uri && !IsPostgresUri(*uri)) {
        status = UsageError(ctx, command, "--store takes a postgresql:// URI");
        return {};
    }
    StoreChoice choice;
    // As in the desktop application, a setting that names no database means the files.
    const std::string setting = StoreSetting(ctx.store);
    choice.uri = data ? std::string() : uri.value_or(IsPostgresUri(setting) ? setting : std::string());
    if (choice.uri.empty()) {
        choice.dataDir = CommandDataDir(ctx, data);
        if (choice.dataDir.empty()) {
            status = kExitIo;
            return {};
        }
    }
    choice.valid = true;
    return choice;
}

std::unique_ptr<IInventoryStore> OpenChosenStore(Context& ctx, const StoreChoice& choice)
{
    OpenedStore opened = OpenInventoryStore(choice.uri, choice.dataDir, ctx.messages);
    return opened.ready ? std::move(opened.store) : nullptr;
}

} // namespace vellicor::cli

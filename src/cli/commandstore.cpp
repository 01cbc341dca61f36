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
    StoreChoice choice;
    choice.uri = data ? std::string() : uri.value_or(StoreSetting(ctx.store));
    if (!choice.uri.empty() && !IsPostgresUri(choice.uri)) {
        status = UsageError(ctx, command, "--store takes a postgresql:// URI");
        return {};
    }
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

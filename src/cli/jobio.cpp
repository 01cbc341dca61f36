#include "cli/jobio.h"

#include "cli/context.h"
#include "model/jobcheck.h"
#include "model/jobfile.h"
#include "model/jobjson.h"
#include "model/vellicordoc.h"
#include "platform/safefile.h"
#include "units/textutil.h"

namespace vellicor::cli {

std::optional<JobFormat> JobFormatOf(const std::string& path)
{
    const std::string lower = ToLowerAscii(path);
    auto endsWith = [&](const std::string& ext) {
        return lower.size() > ext.size() && lower.compare(lower.size() - ext.size(), ext.size(), ext) == 0;
    };
    if (endsWith(".vcj"))
        return JobFormat::Binary;
    if (endsWith(".json"))
        return JobFormat::Json;
    return std::nullopt;
}

namespace {

std::unique_ptr<CVellicorDoc> ReadJobAsItIs(Context& ctx, const std::string& path, JobFormat format)
{
    if (format == JobFormat::Binary) {
        LoadedJob loaded = LoadJobFile(path, ctx.store);
        if (!loaded.doc)
            ctx.messages.Tell(loaded.errorId, {path}, MessageIcon::Error);
        return std::move(loaded.doc);
    }
    std::string text;
    if (const int error = OpenErrorId(ReadWholeFile(path, text)); error != 0) {
        ctx.messages.Tell(error, {path}, MessageIcon::Error);
        return nullptr;
    }
    JsonJobError error;
    auto doc = JobFromJson(text, ctx.store, error);
    if (!doc) {
        ctx.messages.Tell(error.id, error.args, MessageIcon::Error);
        return nullptr;
    }
    doc->SetPathName(path);
    return doc;
}

} // namespace

std::unique_ptr<CVellicorDoc> ReadJob(Context& ctx, const std::string& path, JobFormat format)
{
    auto doc = ReadJobAsItIs(ctx, path, format);
    if (!doc)
        return nullptr;
    if (const auto problem = CheckJob(*doc)) {
        ctx.messages.Tell(problem->MessageId, problem->Args, MessageIcon::Error);
        return nullptr;
    }
    return doc;
}

bool WriteJob(Context& ctx, CVellicorDoc& doc, const std::string& path, JobFormat format)
{
    const int error = format == JobFormat::Binary ? SaveJobFile(doc, path)
                                                  : SaveErrorId(WriteFileAtomically(path, JobToJson(doc)));
    if (error != 0)
        ctx.messages.Tell(error, {path}, MessageIcon::Error);
    return error == 0;
}

} // namespace vellicor::cli

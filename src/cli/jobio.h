#pragma once

#include <memory>
#include <optional>
#include <string>

namespace vellicor {
class CVellicorDoc;
}

namespace vellicor::cli {

struct Context;

// A job file's type follows its extension.
enum class JobFormat { Binary, Json };

// ".vcj" or ".json" in any case; nothing for any other name.
std::optional<JobFormat> JobFormatOf(const std::string& path);

// Reads a job and checks it; on failure the message has been shown and the result is empty.
std::unique_ptr<CVellicorDoc> ReadJob(Context& ctx, const std::string& path, JobFormat format);

// Writes a job atomically; on failure the message has been shown and the result is false.
bool WriteJob(Context& ctx, CVellicorDoc& doc, const std::string& path, JobFormat format);

} // namespace vellicor::cli

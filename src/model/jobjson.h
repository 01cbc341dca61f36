#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vellicor {

class CVellicorDoc;
class ISettingsStore;

// The JSON job: one object whose fields are the job's records in lower camel case, in millimetres
// and kilograms. Output adds derived figures per layout and for the job, which input ignores.
std::string JobToJson(const CVellicorDoc& doc);

// Why a JSON job was refused: the id of the text and its arguments (the field's path first).
struct JsonJobError {
    int id = 0;
    std::vector<std::string> args;
};

// A fresh document from a JSON job; a missing field takes the empty record's default and the cut
// settings start from the stored defaults. Nothing, and `error` filled, for a text that is not
// JSON, an unknown field, a value of the wrong type or a layout naming what is not in the job.
std::unique_ptr<CVellicorDoc> JobFromJson(std::string_view text, const ISettingsStore& defaults, JsonJobError& error);

} // namespace vellicor

// The job file reader on arbitrary bytes. Whatever opens must write back to bytes that open to the
// same bytes again; a job the program itself could have written (finite numbers, every record of
// its array's kind) must also survive the JSON job unchanged.
#include "model/jobfile.h"
#include "model/jobjson.h"
#include "model/vellicordoc.h"
#include "platform/memorysettingsstore.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace vellicor;

bool Finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool CouldBeWrittenByTheProgram(const CVellicorDoc& doc)
{
    for (const auto& c : doc.Coils)
        if (!Finite({c->Width, c->Thickness, c->WeightPerCoil, c->CostPerKg, c->LeftTrim, c->RightTrim}))
            return false;
    const std::pair<const std::vector<std::unique_ptr<CCoilPart>>*, int> arrays[] = {
        {&doc.Parts, KindPart}, {&doc.Slits, KindSlit}, {&doc.Fillers, KindFiller}};
    for (const auto& [array, kind] : arrays)
        for (const auto& p : *array)
            if (p->Kind != kind || !Finite({p->Thickness, p->Length, p->Width, p->Quantity}))
                return false;
    const CSettings& s = doc.Settings;
    if (!Finite({s.Kerf, s.MinOffCut, s.MinPatWt, s.CoilChangCost, s.MinKnifeSettCost, s.MinCutWidth}))
        return false;
    for (const auto& layout : doc.Layouts)
        if (!Finite({layout->Weight, layout->Kerf}))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const MemorySettingsStore defaults;
    const auto doc = ParseJobFile(std::string_view(reinterpret_cast<const char*>(data), size), defaults);
    if (!doc)
        return 0;
    const std::string bytes = JobFileBytes(*doc);
    const auto again = ParseJobFile(bytes, defaults);
    if (!again || JobFileBytes(*again) != bytes)
        std::abort();

    const std::string json = JobToJson(*again);
    JsonJobError error;
    const auto fromJson = JobFromJson(json, defaults, error);
    if (CouldBeWrittenByTheProgram(*again) && (!fromJson || JobFileBytes(*fromJson) != bytes))
        std::abort();
    return 0;
}

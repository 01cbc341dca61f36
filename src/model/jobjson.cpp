#include "model/jobjson.h"

#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "optimiser/sequencing.h"
#include "platform/stringids.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace vellicor {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "vellicor-job";

// Integral values print without a fraction; every value reads back to the same double. Minus
// zero keeps its fraction so that its sign survives.
Json Number(double v)
{
    constexpr double kExactIntegers = 9007199254740992.0; // 2^53
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < kExactIntegers && !(v == 0.0 && std::signbit(v)))
        return Json(static_cast<std::int64_t>(v));
    return Json(v);
}

Json CoilJson(const CCoil& c)
{
    return Json{{"name", c.Name},
                {"material", c.Material},
                {"remarks", c.Remarks},
                {"width", Number(c.Width)},
                {"thickness", Number(c.Thickness)},
                {"weightPerCoil", Number(c.WeightPerCoil)},
                {"qty", c.Qty},
                {"costPerKg", Number(c.CostPerKg)},
                {"leftTrim", Number(c.LeftTrim)},
                {"rightTrim", Number(c.RightTrim)}};
}

Json PartJson(const CCoilPart& p)
{
    return Json{{"name", p.Name},
                {"material", p.Material},
                {"thickness", Number(p.Thickness)},
                {"length", Number(p.Length)},
                {"width", Number(p.Width)},
                {"rotation", p.Rotation},
                {"priority", p.Priority},
                {"remarks", p.Remarks},
                {"quantity", Number(p.Quantity)}};
}

Json PartsJson(const std::vector<std::unique_ptr<CCoilPart>>& parts)
{
    Json array = Json::array();
    for (const auto& p : parts)
        array.push_back(PartJson(*p));
    return array;
}

Json SettingsJson(const CSettings& s)
{
    return Json{{"maxKnives", s.MaxKnives},
                {"maxDifSlits", s.MaxDifSlits},
                {"kerf", Number(s.Kerf)},
                {"minOffCut", Number(s.MinOffCut)},
                {"minPatWt", Number(s.MinPatWt)},
                {"coilChangCost", Number(s.CoilChangCost)},
                {"minKnifeSettCost", Number(s.MinKnifeSettCost)},
                {"minCutWidth", Number(s.MinCutWidth)}};
}

Json LayoutJson(const CLayout& layout)
{
    Json slits = Json::array();
    for (const auto& slit : layout.SlitPositions)
        slits.push_back(Json{{"part", slit->Part ? slit->Part->Name : std::string()}, {"rotated", slit->Rotated}});
    Json j{{"coil", layout.Coil ? layout.Coil->Name : std::string()},
           {"weight", Number(layout.Weight)},
           {"kerf", Number(layout.Kerf)},
           {"slits", std::move(slits)}};
    if (layout.Coil) {
        j["usedLength"] = Number(layout.UsedLength());
        j["restWidth"] = Number(layout.RestWidth());
        j["overallUtilisation"] = Number(layout.OverallUtilisation());
        j["partUtilisation"] = Number(layout.PartUtilisation());
        j["fillerUtilisation"] = Number(layout.FillerUtilisation());
    }
    return j;
}

Json FiguresJson(const CVellicorDoc& doc)
{
    const CLayoutList& layouts = doc.Layouts;
    Json figures{{"totalWeight", Number(layouts.TotalWeight())},
                {"totalUsedLength", Number(layouts.TotalUsedLength())},
                {"totalFillerWeight", Number(layouts.TotalFillerWeight())},
                {"partsProducedWeight", Number(doc.PartsProducedWeight())},
                {"slitsProducedWeight", Number(doc.SlitsProducedWeight())},
                {"overProducedWeight", Number(doc.OverProducedWeight())},
                {"underProducedWeight", Number(doc.UnderProducedWeight())},
                {"partUtilisation", Number(doc.PartUtilisation())},
                {"overallUtilisation", Number(doc.OverallUtilisation())},
                {"changeCost", Number(ChangeCost(layouts))}};
    if (const auto above = doc.AboveLeastPossible()) {
        figures["leastCoilWeight"] = Number(*doc.LeastCoilWeight);
        figures["aboveLeastPossible"] = Number(*above);
    }
    return figures;
}

// Reads the JSON job into a document, stopping at the first field it refuses.
class JsonJobReader {
public:
    JsonJobReader(CVellicorDoc& doc, JsonJobError& error) : doc_(doc), error_(error) {}

    bool Read(const Json& root)
    {
        if (!root.is_object())
            return Fail(ids::JsonNotObject, {});
        if (!Known(root, "",
                   {"format", "version", "qtyByLength", "inventoryUpdated", "orderNo", "coils", "parts", "slits",
                    "fillers", "settings", "layouts", "figures"}))
            return false;
        std::string format = kFormat;
        int version = kJobFileVersion;
        if (!Text(root, "", "format", format) || !Integer(root, "", "version", version))
            return false;
        if (format != kFormat)
            return Fail(ids::JsonWrongFormat, {});
        if (!Integer(root, "", "qtyByLength", doc_.QtyByLength)
            || !Integer(root, "", "inventoryUpdated", doc_.InventoryUpdated)
            || !Text(root, "", "orderNo", doc_.OrderNo))
            return false;
        return ReadCoils(root) && ReadParts(root, "parts", KindPart, doc_.Parts)
            && ReadParts(root, "slits", KindSlit, doc_.Slits) && ReadParts(root, "fillers", KindFiller, doc_.Fillers)
            && ReadSettings(root) && ReadLayouts(root);
    }

private:
    bool Fail(int id, std::vector<std::string> args)
    {
        error_ = {id, std::move(args)};
        return false;
    }

    static std::string PathOf(const std::string& parent, const std::string& key)
    {
        return parent.empty() ? key : parent + "." + key;
    }

    static std::string Element(const std::string& array, std::size_t i)
    {
        return array + "[" + std::to_string(i) + "]";
    }

    // Every field of `object` is one of `fields`.
    bool Known(const Json& object, const std::string& path, std::initializer_list<std::string_view> fields)
    {
        for (const auto& item : object.items()) {
            bool known = false;
            for (std::string_view f : fields)
                known = known || item.key() == f;
            if (!known)
                return Fail(ids::JsonUnknownField, {PathOf(path, item.key())});
        }
        return true;
    }

    bool Text(const Json& object, const std::string& path, const char* key, std::string& out)
    {
        const auto it = object.find(key);
        if (it == object.end())
            return true;
        if (!it->is_string())
            return Fail(ids::JsonNeedsText, {PathOf(path, key)});
        out = it->get<std::string>();
        return true;
    }

    bool Double(const Json& object, const std::string& path, const char* key, double& out)
    {
        const auto it = object.find(key);
        if (it == object.end())
            return true;
        if (!it->is_number())
            return Fail(ids::JsonNeedsNumber, {PathOf(path, key)});
        out = it->get<double>();
        return true;
    }

    // A whole number in the 32-bit range; 3.0 counts as whole.
    bool Integer(const Json& object, const std::string& path, const char* key, int& out)
    {
        const auto it = object.find(key);
        if (it == object.end())
            return true;
        if (!it->is_number())
            return Fail(ids::JsonNeedsInteger, {PathOf(path, key)});
        const double v = it->get<double>();
        if (v != std::trunc(v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            return Fail(ids::JsonNeedsInteger, {PathOf(path, key)});
        out = static_cast<int>(v);
        return true;
    }

    // The array under `key`, or nothing when it is missing.
    bool Array(const Json& object, const std::string& path, const char* key, const Json*& out)
    {
        out = nullptr;
        const auto it = object.find(key);
        if (it == object.end())
            return true;
        if (!it->is_array())
            return Fail(ids::JsonNeedsArray, {PathOf(path, key)});
        out = &*it;
        return true;
    }

    bool Object(const Json& value, const std::string& path)
    {
        return value.is_object() || Fail(ids::JsonNeedsObject, {path});
    }

    bool ReadCoils(const Json& root)
    {
        const Json* array = nullptr;
        if (!Array(root, "", "coils", array))
            return false;
        for (std::size_t i = 0; array && i < array->size(); ++i) {
            const Json& j = (*array)[i];
            const std::string path = Element("coils", i);
            auto c = std::make_unique<CCoil>();
            if (!Object(j, path)
                || !Known(j, path,
                          {"name", "material", "remarks", "width", "thickness", "weightPerCoil", "qty", "costPerKg",
                           "leftTrim", "rightTrim"})
                || !Text(j, path, "name", c->Name) || !Text(j, path, "material", c->Material)
                || !Text(j, path, "remarks", c->Remarks) || !Double(j, path, "width", c->Width)
                || !Double(j, path, "thickness", c->Thickness) || !Double(j, path, "weightPerCoil", c->WeightPerCoil)
                || !Integer(j, path, "qty", c->Qty) || !Double(j, path, "costPerKg", c->CostPerKg)
                || !Double(j, path, "leftTrim", c->LeftTrim) || !Double(j, path, "rightTrim", c->RightTrim))
                return false;
            doc_.Coils.push_back(std::move(c));
        }
        return true;
    }

    bool ReadParts(const Json& root, const char* key, int kind, std::vector<std::unique_ptr<CCoilPart>>& parts)
    {
        const Json* array = nullptr;
        if (!Array(root, "", key, array))
            return false;
        for (std::size_t i = 0; array && i < array->size(); ++i) {
            const Json& j = (*array)[i];
            const std::string path = Element(key, i);
            auto p = std::make_unique<CCoilPart>();
            p->Kind = kind;
            if (kind == KindFiller)
                p->Quantity = UnlimitedQty;
            if (!Object(j, path)
                || !Known(j, path,
                          {"name", "material", "thickness", "length", "width", "rotation", "priority", "remarks",
                           "quantity"})
                || !Text(j, path, "name", p->Name) || !Text(j, path, "material", p->Material)
                || !Double(j, path, "thickness", p->Thickness) || !Double(j, path, "width", p->Width))
                return false;
            // A strip's length is its width unless it says otherwise.
            if (kind != KindPart)
                p->Length = p->Width;
            if (!Double(j, path, "length", p->Length) || !Integer(j, path, "rotation", p->Rotation)
                || !Integer(j, path, "priority", p->Priority) || !Text(j, path, "remarks", p->Remarks)
                || !Double(j, path, "quantity", p->Quantity))
                return false;
            parts.push_back(std::move(p));
        }
        return true;
    }

    bool ReadSettings(const Json& root)
    {
        const auto it = root.find("settings");
        if (it == root.end())
            return true;
        CSettings& s = doc_.Settings;
        const std::string path = "settings";
        return Object(*it, path)
            && Known(*it, path,
                     {"maxKnives", "maxDifSlits", "kerf", "minOffCut", "minPatWt", "coilChangCost", "minKnifeSettCost",
                      "minCutWidth"})
            && Integer(*it, path, "maxKnives", s.MaxKnives) && Integer(*it, path, "maxDifSlits", s.MaxDifSlits)
            && Double(*it, path, "kerf", s.Kerf) && Double(*it, path, "minOffCut", s.MinOffCut)
            && Double(*it, path, "minPatWt", s.MinPatWt) && Double(*it, path, "coilChangCost", s.CoilChangCost)
            && Double(*it, path, "minKnifeSettCost", s.MinKnifeSettCost)
            && Double(*it, path, "minCutWidth", s.MinCutWidth);
    }

    bool ReadLayouts(const Json& root)
    {
        const Json* array = nullptr;
        if (!Array(root, "", "layouts", array))
            return false;
        for (std::size_t i = 0; array && i < array->size(); ++i) {
            const Json& j = (*array)[i];
            const std::string path = Element("layouts", i);
            auto layout = std::make_unique<CLayout>();
            std::string coilName;
            const Json* slits = nullptr;
            if (!Object(j, path)
                || !Known(j, path,
                          {"coil", "weight", "kerf", "slits", "usedLength", "restWidth", "overallUtilisation",
                           "partUtilisation", "fillerUtilisation"})
                || !Text(j, path, "coil", coilName) || !Double(j, path, "weight", layout->Weight)
                || !Double(j, path, "kerf", layout->Kerf) || !Array(j, path, "slits", slits))
                return false;
            layout->Coil = doc_.FindCoilByName(coilName);
            if (!layout->Coil)
                return Fail(ids::JsonUnknownName, {PathOf(path, "coil"), coilName});
            for (std::size_t k = 0; slits && k < slits->size(); ++k) {
                const Json& s = (*slits)[k];
                const std::string slitPath = Element(PathOf(path, "slits"), k);
                std::string partName;
                int rotated = 0;
                if (!Object(s, slitPath) || !Known(s, slitPath, {"part", "rotated"})
                    || !Text(s, slitPath, "part", partName) || !Integer(s, slitPath, "rotated", rotated))
                    return false;
                CCoilPart* part = doc_.FindPartByName(partName);
                if (!part)
                    return Fail(ids::JsonUnknownName, {PathOf(slitPath, "part"), partName});
                layout->AddSlit(std::make_unique<CLayoutSlit>(rotated, part));
            }
            doc_.Layouts.Add(std::move(layout));
        }
        return true;
    }

    CVellicorDoc& doc_;
    JsonJobError& error_;
};

} // namespace

std::string JobToJson(const CVellicorDoc& doc)
{
    Json coils = Json::array();
    for (const auto& c : doc.Coils)
        coils.push_back(CoilJson(*c));
    Json layouts = Json::array();
    for (const auto& layout : doc.Layouts)
        layouts.push_back(LayoutJson(*layout));
    const Json root{{"format", kFormat},
                    {"version", kJobFileVersion},
                    {"qtyByLength", doc.QtyByLength},
                    {"inventoryUpdated", doc.InventoryUpdated},
                    {"orderNo", doc.OrderNo},
                    {"coils", std::move(coils)},
                    {"parts", PartsJson(doc.Parts)},
                    {"slits", PartsJson(doc.Slits)},
                    {"fillers", PartsJson(doc.Fillers)},
                    {"settings", SettingsJson(doc.Settings)},
                    {"layouts", std::move(layouts)},
                    {"figures", FiguresJson(doc)}};
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::unique_ptr<CVellicorDoc> JobFromJson(std::string_view text, const ISettingsStore& defaults, JsonJobError& error)
{
    error = {};
    Json root;
    try {
        root = Json::parse(text);
    } catch (const Json::exception& e) {
        // The library's own text, without its "[json.exception...] " lead.
        std::string what = e.what();
        if (const auto end = what.find("] "); what.rfind("[json.exception", 0) == 0 && end != std::string::npos)
            what.erase(0, end + 2);
        error = {ids::JsonSyntax, {what}};
        return nullptr;
    }
    auto doc = std::make_unique<CVellicorDoc>(defaults);
    if (!JsonJobReader(*doc, error).Read(root))
        return nullptr;
    return doc;
}

} // namespace vellicor

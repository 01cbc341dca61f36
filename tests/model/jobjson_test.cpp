#include "model/jobjson.h"

#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "platform/memorysettingsstore.h"
#include "platform/stringids.h"
#include "support/samplejob.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace vellicor {
namespace {

using Json = nlohmann::ordered_json;

const MemorySettingsStore kNoDefaults;

std::unique_ptr<CVellicorDoc> FromJson(const std::string& text)
{
    JsonJobError error;
    auto doc = JobFromJson(text, kNoDefaults, error);
    EXPECT_TRUE(doc) << "refused with " << error.id << (error.args.empty() ? "" : " " + error.args[0]);
    return doc;
}

TEST(JobJson, JobFileBytesSurviveTheJsonJob)
{
    auto doc = test::MakeSampleJob();
    doc->InventoryUpdated = 1;
    doc->OrderNo = "\xE9\x8B\xBC \xE2\x82\xAC";
    doc->Coils[1]->Remarks = "tab\there \"quoted\" \\ \x7F";
    doc->Coils[1]->Qty = -2147483647 - 1;
    doc->Coils[1]->CostPerKg = 0.1;
    doc->Coils[1]->LeftTrim = -0.0;
    doc->Coils[1]->RightTrim = 5e-324;
    doc->Parts[0]->Quantity = DBL_MAX;
    doc->Slits[0]->Quantity = 1.0 / 3.0;
    doc->Settings.MinCutWidth = 9007199254740993.0;
    doc->Settings.MaxDifSlits = 2147483647;

    const std::string bytes = JobFileBytes(*doc);
    const auto back = FromJson(JobToJson(*doc));
    ASSERT_TRUE(back);
    EXPECT_EQ(JobFileBytes(*back), bytes);
    EXPECT_TRUE(std::signbit(back->Coils[1]->LeftTrim));
}

// The fuzzing seeds and the sample job: every one opens, and those the program writes (version
// 218) convert to the JSON job and back to the same bytes.
TEST(JobJson, SeedAndSampleFilesConvertBackToTheirBytes)
{
    const std::filesystem::path source(VELLICOR_SOURCE_DIR);
    std::vector<std::filesystem::path> files{source / "examples" / "sample.vcj"};
    for (const auto& entry : std::filesystem::directory_iterator(source / "fuzz" / "corpus" / "jobfile"))
        if (entry.path().extension() == ".vcj")
            files.push_back(entry.path());
    ASSERT_GT(files.size(), 3u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto doc = ParseJobFile(bytes, kNoDefaults);
        ASSERT_TRUE(doc);
        if (bytes.compare(0, 2, "\xDA\x00", 2) != 0)
            continue;
        const auto back = FromJson(JobToJson(*doc));
        ASSERT_TRUE(back);
        EXPECT_EQ(JobFileBytes(*back), bytes);
    }
}

TEST(JobJson, OutputCarriesTheRecordsAndTheDerivedFigures)
{
    auto doc = test::MakeSampleJob();
    const Json j = Json::parse(JobToJson(*doc));
    EXPECT_EQ(j.begin().key(), "format");
    EXPECT_EQ(j["format"], "vellicor-job");
    EXPECT_EQ(j["version"], 218);
    EXPECT_EQ(j["coils"][0].dump(), R"({"name":"C1","material":"crca","remarks":"prime","width":1250,"thickness":1.5,)"
                                    R"("weightPerCoil":10000,"qty":3,"costPerKg":0.95,"leftTrim":10,"rightTrim":15})");
    EXPECT_EQ(j["fillers"][0]["quantity"], 9999999);
    EXPECT_EQ(j["settings"]["minPatWt"], 75.25);

    const Json& layout = j["layouts"][0];
    EXPECT_EQ(layout["coil"], "C1");
    EXPECT_EQ(layout["slits"][0].dump(), R"({"part":"P1","rotated":1})");
    const CLayout& first = *doc->Layouts.GetAt(0);
    EXPECT_EQ(layout["usedLength"].get<double>(), first.UsedLength());
    EXPECT_EQ(layout["restWidth"].get<double>(), first.RestWidth());
    EXPECT_EQ(layout["partUtilisation"].get<double>(), first.PartUtilisation());
    EXPECT_EQ(layout["fillerUtilisation"].get<double>(), first.FillerUtilisation());
    EXPECT_EQ(layout["overallUtilisation"].get<double>(), first.OverallUtilisation());

    const Json& figures = j["figures"];
    EXPECT_EQ(figures["totalWeight"].get<double>(), doc->Layouts.TotalWeight());
    EXPECT_EQ(figures["totalFillerWeight"].get<double>(), doc->Layouts.TotalFillerWeight());
    EXPECT_EQ(figures["underProducedWeight"].get<double>(), doc->UnderProducedWeight());
    EXPECT_EQ(figures["overallUtilisation"].get<double>(), doc->OverallUtilisation());
    EXPECT_LT(figures["overallUtilisation"].get<double>(), 1.0);
}

TEST(JobJson, MissingFieldsTakeTheEmptyRecordsDefaults)
{
    MemorySettingsStore defaults;
    defaults.WriteInt("SettingDef", "MaxKnives", 6);
    JsonJobError error;
    const auto doc = JobFromJson(R"({"coils": [{"name": "C1"}], "parts": [{}],
        "slits": [{"name": "S1", "width": 120}, {"name": "S2", "width": 80, "length": 90}],
        "fillers": [{"name": "F1", "width": 50}], "settings": {"kerf": 0.5}})",
                                 defaults, error);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->QtyByLength, 1);
    EXPECT_EQ(doc->OrderNo, "");
    const CCoil& c = *doc->GetCoil(0);
    EXPECT_EQ(c.Width, 1.0);
    EXPECT_EQ(c.Qty, 0);
    EXPECT_EQ(c.Material, "");
    const CCoilPart& p = *doc->GetPart(0);
    EXPECT_EQ(p.Name, " ");
    EXPECT_EQ(p.Kind, KindPart);
    EXPECT_EQ(p.Rotation, 1);
    EXPECT_EQ(p.Quantity, 0.0);
    EXPECT_EQ(doc->GetSlit(0)->Kind, KindSlit);
    EXPECT_EQ(doc->GetSlit(0)->Length, 120.0);
    EXPECT_EQ(doc->GetSlit(1)->Length, 90.0);
    EXPECT_EQ(doc->GetFiller(0)->Kind, KindFiller);
    EXPECT_EQ(doc->GetFiller(0)->Quantity, UnlimitedQty);
    EXPECT_EQ(doc->GetFiller(0)->Length, 50.0);
    EXPECT_EQ(doc->Settings.MaxKnives, 6);
    EXPECT_EQ(doc->Settings.Kerf, 0.5);
    EXPECT_EQ(doc->Settings.MinOffCut, 10.0);
}

TEST(JobJson, DerivedFiguresAreIgnoredOnInput)
{
    const auto doc = FromJson(R"({"coils": [{"name": "C1", "width": 1000}], "slits": [{"name": "S1", "width": 100}],
        "layouts": [{"coil": " C1", "weight": 500, "slits": [{"part": "S1", "rotated": 0}, {"part": "S1"}],
                     "usedLength": "any", "restWidth": null, "overallUtilisation": 7, "partUtilisation": [],
                     "fillerUtilisation": {}}],
        "figures": {"totalWeight": "whatever", "changeCost": 1}, "version": 209})");
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->Layouts.GetCount(), 1);
    const CLayout& layout = *doc->Layouts.GetAt(0);
    EXPECT_EQ(layout.Coil, doc->GetCoil(0));
    EXPECT_EQ(layout.Weight, 500.0);
    ASSERT_EQ(layout.GetSlitCount(), 2);
    EXPECT_EQ(layout.GetSlit(1)->Part, doc->GetSlit(0));
    EXPECT_DOUBLE_EQ(layout.PartUtilisation(), 0.2);
}

TEST(JobJson, WholeNumbersMayCarryAFraction)
{
    const auto doc = FromJson(R"({"coils": [{"qty": 3.0}], "settings": {"maxKnives": 1e1}})");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetCoil(0)->Qty, 3);
    EXPECT_EQ(doc->Settings.MaxKnives, 10);
}

TEST(JobJson, RefusesWithAMessageNamingTheField)
{
    struct Case {
        const char* json;
        int id;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {R"([])", ids::JsonNotObject, {}},
        {R"({"format": "other"})", ids::JsonWrongFormat, {}},
        {R"({"format": 1})", ids::JsonNeedsText, {"format"}},
        {R"({"colour": 1})", ids::JsonUnknownField, {"colour"}},
        {R"({"coils": [{"name": "C1"}, {"name": "C2", "colour": 1}]})", ids::JsonUnknownField, {"coils[1].colour"}},
        {R"({"parts": [{"kind": 1}]})", ids::JsonUnknownField, {"parts[0].kind"}},
        {R"({"settings": {"maxKnife": 1}})", ids::JsonUnknownField, {"settings.maxKnife"}},
        {R"({"layouts": [{"coil": "C1", "slits": [{"part": "S1", "turned": 1}]}], "coils": [{"name": "C1"}]})",
         ids::JsonUnknownField, {"layouts[0].slits[0].turned"}},
        {R"({"coils": [{"width": "1250"}]})", ids::JsonNeedsNumber, {"coils[0].width"}},
        {R"({"coils": [{"width": null}]})", ids::JsonNeedsNumber, {"coils[0].width"}},
        {R"({"slits": [{"quantity": true}]})", ids::JsonNeedsNumber, {"slits[0].quantity"}},
        {R"({"coils": [{"qty": 1.5}]})", ids::JsonNeedsInteger, {"coils[0].qty"}},
        {R"({"coils": [{"qty": 3000000000}]})", ids::JsonNeedsInteger, {"coils[0].qty"}},
        {R"({"qtyByLength": "1"})", ids::JsonNeedsInteger, {"qtyByLength"}},
        {R"({"version": 2.18})", ids::JsonNeedsInteger, {"version"}},
        {R"({"fillers": [{"name": 5}]})", ids::JsonNeedsText, {"fillers[0].name"}},
        {R"({"orderNo": ["A1"]})", ids::JsonNeedsText, {"orderNo"}},
        {R"({"coils": {"name": "C1"}})", ids::JsonNeedsArray, {"coils"}},
        {R"({"layouts": [{"coil": "C1", "slits": {}}], "coils": [{"name": "C1"}]})", ids::JsonNeedsArray,
         {"layouts[0].slits"}},
        {R"({"coils": [5]})", ids::JsonNeedsObject, {"coils[0]"}},
        {R"({"settings": []})", ids::JsonNeedsObject, {"settings"}},
        {R"({"layouts": [{"coil": "C9"}], "coils": [{"name": "C1"}]})", ids::JsonUnknownName,
         {"layouts[0].coil", "C9"}},
        {R"({"layouts": [{"coil": "C1", "slits": [{"part": "S9"}]}], "coils": [{"name": "C1"}]})",
         ids::JsonUnknownName, {"layouts[0].slits[0].part", "S9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        JsonJobError error;
        EXPECT_FALSE(JobFromJson(c.json, kNoDefaults, error));
        EXPECT_EQ(error.id, c.id);
        EXPECT_EQ(error.args, c.args);
    }
}

TEST(JobJson, RefusesTextsThatAreNotJson)
{
    for (const char* text : {"", "{", R"({"coils": [1,]})", "{\"orderNo\": \"\xFF\"}", "[1e400]", "{} x"}) {
        SCOPED_TRACE(text);
        JsonJobError error;
        EXPECT_FALSE(JobFromJson(text, kNoDefaults, error));
        EXPECT_EQ(error.id, ids::JsonSyntax);
        ASSERT_EQ(error.args.size(), 1u);
        EXPECT_EQ(error.args[0].find("[json.exception"), std::string::npos);
        EXPECT_FALSE(error.args[0].empty());
    }
}

} // namespace
} // namespace vellicor

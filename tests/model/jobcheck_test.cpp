#include "model/jobcheck.h"
#include "model/vellicordoc.h"
#include "platform/stringtable.h"
#include "support/samplejob.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace vellicor {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string ProblemText(const CVellicorDoc& doc)
{
    const auto problem = CheckJob(doc);
    return problem ? Strings().Format(problem->MessageId, problem->Args) : "";
}

TEST(CheckJob, TheSampleJobPasses)
{
    EXPECT_EQ(ProblemText(*test::MakeSampleJob()), "");
}

TEST(CheckJob, EachBadFieldIsNamedWithItsRecord)
{
    struct Case {
        const char* what;
        std::function<void(CVellicorDoc&)> spoil;
        const char* message;
    };
    const Case cases[] = {
        {"coil width 0", [](CVellicorDoc& d) { d.GetCoil(0)->Width = 0; },
         "Coil \"C1\": width must be a number from 0.010 to 1000000."},
        {"coil width 1e308", [](CVellicorDoc& d) { d.GetCoil(1)->Width = 1e308; },
         "Coil \"C2\": width must be a number from 0.010 to 1000000."},
        {"coil thickness NaN", [](CVellicorDoc& d) { d.GetCoil(0)->Thickness = kNaN; },
         "Coil \"C1\": thickness must be a number from 0.001 to 1000."},
        {"coil weight 0", [](CVellicorDoc& d) { d.GetCoil(0)->WeightPerCoil = 0; },
         "Coil \"C1\": weightPerCoil must be a number above 0 and at most 1000000000."},
        {"coil qty negative", [](CVellicorDoc& d) { d.GetCoil(0)->Qty = -1; },
         "Coil \"C1\": qty must be a whole number from 0 to 1000000000."},
        {"negative trim", [](CVellicorDoc& d) { d.GetCoil(0)->RightTrim = -5; },
         "Coil \"C1\": rightTrim must be a number from 0 to 1000000."},
        {"cost infinite", [](CVellicorDoc& d) { d.GetCoil(1)->CostPerKg = kInf; },
         "Coil \"C2\": costPerKg must be a number from 0 to 1000000000."},
        {"part length 0", [](CVellicorDoc& d) { d.GetPart(0)->Length = 0; },
         "Part \"P1\": length must be a number from 0.010 to 1000000."},
        {"part rotation beyond 16 bits", [](CVellicorDoc& d) { d.GetPart(0)->Rotation = 65536; },
         "Part \"P1\": rotation must be a whole number from 0 to 65535."},
        {"slit of a ten-thousandth of a mm", [](CVellicorDoc& d) { d.GetSlit(0)->Width = d.GetSlit(0)->Length = 0.0001; },
         "Slit \"S1\": width must be a number from 0.010 to 1000000."},
        {"slit thickness 0", [](CVellicorDoc& d) { d.GetSlit(0)->Thickness = 0; },
         "Slit \"S1\": thickness must be a number from 0.001 to 1000."},
        {"slit kg infinite", [](CVellicorDoc& d) { d.GetSlit(0)->Quantity = kInf; },
         "Slit \"S1\": quantity must be a number from 0 to 1000000000."},
        {"slit priority negative", [](CVellicorDoc& d) { d.GetSlit(0)->Priority = -1; },
         "Slit \"S1\": priority must be a whole number from 0 to 65535."},
        {"filler width NaN", [](CVellicorDoc& d) { d.GetFiller(0)->Width = kNaN; },
         "Filler \"F1\": width must be a number from 0.010 to 1000000."},
        {"negative kerf", [](CVellicorDoc& d) { d.Settings.Kerf = -0.5; },
         "The cut settings: kerf must be a number from 0 to 1000000."},
        {"more knives than a slitter has", [](CVellicorDoc& d) { d.Settings.MaxKnives = 1001; },
         "The cut settings: maxKnives must be a whole number from 0 to 1000."},
        {"min pattern weight NaN", [](CVellicorDoc& d) { d.Settings.MinPatWt = kNaN; },
         "The cut settings: minPatWt must be a number from 0 to 1000000000."},
        {"inventory flag beyond 16 bits", [](CVellicorDoc& d) { d.InventoryUpdated = 65536; },
         "The job: inventoryUpdated must be a whole number from 0 to 65535."},
        {"layout weight NaN", [](CVellicorDoc& d) { d.Layouts.GetAt(1)->Weight = kNaN; },
         "Layout 2: weight must be a number from 0 to 1000000000000000."},
        {"two coils of one name", [](CVellicorDoc& d) { d.GetCoil(1)->Name = "C1"; },
         "Two coils are named \"C1\"; each coil needs a name of its own."},
        {"a slit named as a part", [](CVellicorDoc& d) { d.GetSlit(0)->Name = "P1"; },
         "Two parts, slits or fillers are named \"P1\"; each needs a name of its own."},
    };
    for (const Case& c : cases) {
        const auto doc = test::MakeSampleJob();
        c.spoil(*doc);
        EXPECT_EQ(ProblemText(*doc), c.message) << c.what;
    }
}

TEST(CheckJob, TheFirstProblemInRecordOrderIsTold)
{
    const auto doc = test::MakeSampleJob();
    doc->Settings.Kerf = -1;
    doc->GetSlit(0)->Width = 0;
    doc->GetCoil(1)->Width = kInf;
    EXPECT_EQ(ProblemText(*doc), "Coil \"C2\": width must be a number from 0.010 to 1000000.");
}

} // namespace
} // namespace vellicor

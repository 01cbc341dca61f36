#include "optimisergroup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace vellicor {
namespace {

using test::COptimiserGroup;

// A group with merged stock rows, merged part rows, a turnable part and fillers.
class RunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g.settings.Kerf = 1;
        g.AddCoil(1250, 3000, 2, 1.0, 10, 15);
        g.AddCoil(1255, 2500, 1, 1250.0 / 1255.0, 15, 15); // merges with the first
        g.AddCoil(1000, 4000, 2, 1.1);
        g.AddSlit(310, 900.0);
        g.AddSlit(310, 450.0); // merges with the one before
        g.AddSlit(205, 1200.0);
        g.AddSlit(125.5, 700.0);
        g.AddPart(420, 180, 900, 1);
        g.AddPart(95, 1300, 300, 1); // turned, 1300 mm across: wider than every coil
        g.AddFiller(60);
        g.AddFiller(25);
        opt = g.Make();
        ASSERT_EQ(opt->Run(), 1);
        ASSERT_FALSE(opt->Results.IsEmpty());
    }

    bool IsDocumentPart(const CCoilPart* part) const
    {
        for (const auto* rows : {&g.parts, &g.slits, &g.fillers})
            for (const auto& r : *rows)
                if (r.get() == part)
                    return true;
        return false;
    }

    COptimiserGroup g;
    std::unique_ptr<CPatternOptimiser> opt;
};

TEST_F(RunTest, LayoutsReferToTheDocumentsRecordsAndFitTheirCoils)
{
    for (const auto& layout : opt->Results) {
        EXPECT_TRUE(std::any_of(g.coils.begin(), g.coils.end(), [&](const auto& c) { return c.get() == layout->Coil; }));
        for (const auto& slit : layout->SlitPositions)
            EXPECT_TRUE(IsDocumentPart(slit->Part));
        EXPECT_GE(layout->RestWidth(), -1e-5); // merged rows agree within the tolerance
        EXPECT_LE(layout->GetSlitCount(), g.settings.MaxKnives + 1);
        EXPECT_EQ(layout->Kerf, 1.0);
    }
}

TEST_F(RunTest, EveryRowGetsWhatItNeedsAndNoStockRowIsOverdrawn)
{
    for (const auto* rows : {&g.parts, &g.slits})
        for (const auto& r : *rows)
            EXPECT_GE(opt->Results.ProducedWeight(r->Name), r->RequiredWeight() - 1e-6) << r->Name;

    std::map<const CCoil*, double> used;
    for (const auto& layout : opt->Results)
        used[layout->Coil] += layout->Weight;
    for (const auto& coil : g.coils)
        EXPECT_LE(used[coil.get()], coil->TotalWeight() + 1.0) << coil->Name;
}

// Jobs on which lengthening the kept layouts drew more than the stock or kept light layouts.
TEST(RunWithMinPatternWeight, NoStockRowIsOverdrawnAndNoRunIsLight)
{
    struct Case {
        double coilWidth;
        std::vector<std::pair<double, double>> slits; // width, kg
    };
    const Case cases[] = {
        {1500, {{235, 500}, {410, 500}}},
        {1500, {{235, 150}, {235, 500}, {120, 300}, {95, 300}, {410, 200}}},
        {1000, {{120, 100}, {180, 150}, {95, 800}, {120, 300}, {300, 500}}},
        {1000, {{410, 800}, {180, 500}, {95, 100}, {300, 200}, {235, 150}}},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.settings.MinPatWt = 500;
        CCoil* coil = g.AddCoil(c.coilWidth, 2000);
        double wanted = 0.0;
        for (const auto& [w, kg] : c.slits) {
            g.AddSlit(w, kg);
            wanted += kg;
        }
        const auto opt = g.Make();
        opt->Run();

        // A run split between merged part rows is still one run of the slitter.
        std::map<std::vector<double>, double> runs;
        double used = 0.0;
        double made = 0.0;
        for (const auto& layout : opt->Results) {
            std::vector<double> widths;
            for (const auto& slit : layout->SlitPositions)
                widths.push_back(slit->SlitWidth());
            runs[widths] += layout->Weight;
            used += layout->Weight;
        }
        for (const auto& [widths, kg] : runs)
            EXPECT_GE(kg, 500.0 - 1e-6) << c.slits.size();
        for (const auto& slit : g.slits)
            made += std::min(opt->Results.ProducedWeight(slit->Name), slit->RequiredWeight());
        EXPECT_LE(used, coil->TotalWeight() + 1.0) << c.slits.size();
        EXPECT_NEAR(made + opt->Stats.Shortfall, wanted, 1.0) << c.slits.size();
    }
}

TEST_F(RunTest, TheWorkingTablesAreLeftAsTheyWere)
{
    EXPECT_TRUE(opt->Columns.empty());
    EXPECT_EQ(opt->PatternPool.Size(), 0u);
    // Requirement widths first, then the fillers' widest first.
    const std::size_t n = opt->RequirementWidthCount();
    ASSERT_EQ(opt->Widths.size(), n + 2);
    EXPECT_EQ(opt->Widths[n].Width, 60.0);
    EXPECT_EQ(opt->Widths[n + 1].Width, 25.0);
}

} // namespace
} // namespace vellicor

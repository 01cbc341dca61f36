#include "model/vellicordoc.h"
#include "optimiser/optimise.h"
#include "optimiser/stoptoken.h"
#include "optimiser/yieldoptimiser.h"
#include "optimisergroup.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace vellicor {
namespace {

using test::COptimiserGroup;

double Produced(const CLayoutList& layouts, const CCoilPart* part)
{
    double kg = 0.0;
    for (const auto& layout : layouts)
        kg += layout->WeightOfPart(part);
    return kg;
}

double OnCoil(const CLayoutList& layouts, const CCoil* coil)
{
    double kg = 0.0;
    for (const auto& layout : layouts)
        if (layout->Coil == coil)
            kg += layout->Weight;
    return kg;
}

TEST(YieldOptimiserTest, PlansKnownByHand)
{
    const struct {
        const char* name;
        double trim; // each side
        double kerf;
        double weight; // expected coil weight; 0: more than the widths alone
    } cases[] = {
        {"the widths fill the coil", 0.0, 0.0, 2000.0},
        {"the trims are coil too", 10.0, 0.0, 2040.0},
        // 500 + 300 + 200 and three kerfs no longer fit: some width has to leave room unused.
        {"kerf pushes a width out", 0.0, 1.0, 0.0},
    };
    for (const auto& c : cases) {
        COptimiserGroup g;
        g.AddCoil(1000.0 + 2 * c.trim, 100000.0, 1, 1.0, c.trim, c.trim);
        const CCoilPart* a = g.AddSlit(500.0, 1000.0);
        const CCoilPart* b = g.AddSlit(300.0, 600.0);
        const CCoilPart* d = g.AddSlit(200.0, 400.0);
        g.settings.Kerf = c.kerf;
        auto opt = g.MakeYield();
        ASSERT_EQ(opt->Run(), 1) << c.name;
        for (const CCoilPart* part : {a, b, d})
            EXPECT_GE(Produced(opt->Results, part), part->RequiredWeight() - 1e-6) << c.name;
        if (c.weight == 0.0) {
            EXPECT_GT(opt->Results.TotalWeight(), 2000.0) << c.name;
            EXPECT_LE(opt->Results.TotalWeight(), opt->Stats.LeastCoilWeight * 1.02) << c.name;
            continue;
        }
        EXPECT_NEAR(opt->Stats.LeastCoilWeight, c.weight, 1e-6) << c.name;
        EXPECT_NEAR(opt->Results.TotalWeight(), c.weight, 1e-6) << c.name;
    }
}

// A 20 kg width that the best patterns would cut in a light layout of its own.
TEST(YieldOptimiserTest, EveryLayoutIsAtLeastTheMinimumPatternWeight)
{
    const struct {
        double limit;
        double aboveLeast; // what the plan may use above the least possible weight
    } cases[] = {{0.0, 0.001}, {50.0, 0.001}, {300.0, 0.05}, {1500.0, 0.12}};
    for (const auto& [limit, aboveLeast] : cases) {
        COptimiserGroup g;
        g.AddCoil(1250.0, 20000.0, 1, 1.0, 5.0, 5.0);
        g.AddSlit(610.0, 3000.0);
        g.AddSlit(415.0, 1800.0);
        g.AddSlit(233.0, 20.0);
        g.AddSlit(120.0, 900.0);
        g.settings.MinPatWt = limit;
        auto opt = g.MakeYield();
        ASSERT_EQ(opt->Run(), 1);
        ASSERT_FALSE(opt->Results.IsEmpty());
        for (const auto& layout : opt->Results)
            EXPECT_GE(layout->Weight, limit - 1e-6) << "limit " << limit;
        for (const auto& slit : g.slits)
            EXPECT_GE(Produced(opt->Results, slit.get()), slit->RequiredWeight() - 1e-6) << "limit " << limit;
        EXPECT_LE(opt->Results.TotalWeight(), opt->Stats.LeastCoilWeight * (1.0 + aboveLeast)) << "limit " << limit;
    }
}

TEST(YieldOptimiserTest, StockRowsAreNeverOverdrawn)
{
    const struct {
        const char* name;
        double stock; // kg on the row
        double shortKg;
    } cases[] = {
        {"exactly exhausted", 2000.0, 0.0},
        {"10 kg too small", 1990.0, 10.0},
    };
    for (const auto& c : cases) {
        COptimiserGroup g;
        const CCoil* coil = g.AddCoil(1000.0, c.stock);
        const CCoilPart* a = g.AddSlit(500.0, 1000.0);
        const CCoilPart* b = g.AddSlit(500.0 - 1e-3, 1000.0);
        auto opt = g.MakeYield();
        ASSERT_EQ(opt->Run(), 1) << c.name;
        EXPECT_LE(OnCoil(opt->Results, coil), c.stock + 1e-6) << c.name;
        const double missing = 2000.0 - Produced(opt->Results, a) - Produced(opt->Results, b);
        EXPECT_NEAR(missing, c.shortKg, 0.01) << c.name;
    }
}

// 300 across or 500 turned: two turned slits fill a 1000 mm coil, three plain ones leave 100.
TEST(YieldOptimiserTest, TurnedPartsAreCutAtTheirBetterWidth)
{
    for (int rotation : {1, 0}) {
        COptimiserGroup g;
        g.AddCoil(1000.0, 100000.0);
        const CCoilPart* part = g.AddPart(300.0, 500.0, 4000, rotation);
        auto opt = g.MakeYield();
        ASSERT_EQ(opt->Run(), 1);
        const double required = part->RequiredWeight();
        const double fill = rotation ? 1.0 : 0.9;
        EXPECT_NEAR(opt->Stats.LeastCoilWeight, required / fill, 1e-6) << rotation;
        for (const auto& layout : opt->Results)
            for (const auto& slit : layout->SlitPositions)
                EXPECT_EQ(slit->Rotated, rotation) << rotation;
    }
}

TEST(YieldOptimiserTest, FillersUseTheLeftoverWithinTheKnifeLimit)
{
    const struct {
        int maxKnives;
        int fillerSlits;
    } cases[] = {{10, 1}, {1, 0}};
    for (const auto& c : cases) {
        COptimiserGroup g;
        g.AddCoil(1000.0, 100000.0);
        g.AddSlit(450.0, 900.0);
        const CCoilPart* filler = g.AddFiller(100.0);
        g.settings.MaxKnives = c.maxKnives;
        auto opt = g.MakeYield();
        ASSERT_EQ(opt->Run(), 1);
        ASSERT_EQ(opt->Results.GetCount(), 1);
        const CLayout& layout = *opt->Results.GetAt(0);
        const auto fillers = std::count_if(layout.SlitPositions.begin(), layout.SlitPositions.end(),
                                           [filler](const auto& s) { return s->Part == filler; });
        EXPECT_EQ(fillers, c.fillerSlits) << c.maxKnives;
        EXPECT_GE(layout.RestWidth(), -1e-9);
    }
}

TEST(YieldOptimiserTest, AStoppedRunLeavesNoLayouts)
{
    COptimiserGroup g;
    g.AddCoil(1250.0, 20000.0);
    g.AddSlit(300.0, 2000.0);
    g.AddSlit(235.0, 1500.0);
    CStopToken stop;
    stop.RequestStop();
    auto opt = g.MakeYield(&stop);
    EXPECT_EQ(opt->Run(), -1);
    EXPECT_TRUE(opt->Results.IsEmpty());
}

class YieldJobTest : public testing::Test {
protected:
    // Stock of two widths and costs, slits and parts, one of them turnable, and a merged part row.
    static void Fill(CVellicorDoc& doc, bool reversed)
    {
        std::vector<std::unique_ptr<CCoil>> coils;
        coils.push_back(std::make_unique<CCoil>("C1", 1250.0, "crca", 1.5, 10000.0, 3, "", 1.0, 10.0, 15.0));
        coils.push_back(std::make_unique<CCoil>("C2", 1000.0, "crca", 1.5, 8000.0, 2, "", 1.0, 5.0, 5.0));
        coils.push_back(std::make_unique<CCoil>("C3", 1250.0, "crca", 1.5, 4000.0, 1, "", 1.0, 10.0, 15.0));
        std::vector<std::unique_ptr<CCoilPart>> slits;
        slits.push_back(std::make_unique<CCoilPart>("S1", "crca", 1.5, 300.0, 2000.0, "", 0));
        slits.push_back(std::make_unique<CCoilPart>("S2", "crca", 1.5, 235.0, 1500.0, "", 0));
        slits.push_back(std::make_unique<CCoilPart>("S3", "crca", 1.5, 95.0, 700.0, "", 0));
        std::vector<std::unique_ptr<CCoilPart>> parts;
        parts.push_back(std::make_unique<CCoilPart>("P1", "crca", 1.5, 420.0, 300.0, 900, "", 1, 0));
        parts.push_back(std::make_unique<CCoilPart>("P2", "crca", 1.5, 610.0, 180.0, 250, "", 0, 0));
        parts.push_back(std::make_unique<CCoilPart>("P3", "crca", 1.5, 610.0, 180.0, 40, "", 0, 0));
        if (reversed) {
            std::reverse(coils.begin(), coils.end());
            std::reverse(slits.begin(), slits.end());
            std::reverse(parts.begin(), parts.end());
        }
        for (auto& c : coils)
            doc.AddCoil(std::move(c));
        for (auto& s : slits)
            doc.AddSlit(std::move(s));
        for (auto& p : parts)
            doc.AddPart(std::move(p));
        doc.Settings.Kerf = 0.5;
    }

    static std::multiset<std::string> Plan(const CVellicorDoc& doc)
    {
        std::multiset<std::string> out;
        for (const auto& layout : doc.Layouts) {
            std::vector<std::string> names;
            for (const auto& slit : layout->SlitPositions)
                names.push_back(slit->PartName());
            std::sort(names.begin(), names.end());
            std::string text = layout->Coil->Name + ":" + std::to_string(std::lround(layout->Weight * 1000.0));
            for (const auto& n : names)
                text += " " + n;
            out.insert(text);
        }
        return out;
    }

    test::RecordingMessages messages;
};

TEST_F(YieldJobTest, MeetsEveryRequirementInWholePiecesAndKnowsItsBound)
{
    CVellicorDoc doc;
    Fill(doc, false);
    ASSERT_EQ(Optimise(doc, messages), 1);
    ASSERT_TRUE(doc.LeastCoilWeight.has_value());
    const double bound = *doc.LeastCoilWeight;
    EXPECT_GE(doc.Layouts.TotalWeight(), bound * (1 - 1e-9));
    EXPECT_LE(doc.Layouts.TotalWeight(), bound * 1.02);
    for (const auto& coil : doc.Coils)
        EXPECT_LE(doc.CoilWeightUsed(coil->Name), coil->TotalWeight() + 1e-6) << coil->Name;
    for (const auto& layout : doc.Layouts) {
        EXPECT_GE(layout->Weight, doc.Settings.MinPatWt - 1e-6);
        EXPECT_GE(layout->RestWidth(), -1e-5);
        for (const auto& slit : layout->SlitPositions) {
            if (slit->Part->Kind != KindPart)
                continue;
            const double pieces = layout->UsedLength() / (slit->Rotated ? slit->Part->Length : slit->Part->Width);
            EXPECT_NEAR(pieces, std::round(pieces), 1e-4) << slit->Part->Name;
        }
    }
    for (const auto* rows : {&doc.Slits, &doc.Parts})
        for (const auto& r : *rows)
            EXPECT_GE(doc.Layouts.ProducedWeight(r->Name), r->RequiredWeight() * (1 - 1e-9)) << r->Name;
    EXPECT_NEAR(*doc.AboveLeastPossible(), doc.Layouts.TotalWeight() / bound - 1.0, 1e-12);
}

TEST_F(YieldJobTest, TheOrderOfTheRowsDoesNotChangeThePlan)
{
    CVellicorDoc given;
    Fill(given, false);
    CVellicorDoc reversed;
    Fill(reversed, true);
    ASSERT_EQ(Optimise(given, messages), 1);
    ASSERT_EQ(Optimise(reversed, messages), 1);
    EXPECT_EQ(Plan(given), Plan(reversed));
    EXPECT_DOUBLE_EQ(*given.LeastCoilWeight, *reversed.LeastCoilWeight);
}

TEST_F(YieldJobTest, BothEnginesKnowTheLeastPossibleWeight)
{
    CVellicorDoc best;
    Fill(best, false);
    CVellicorDoc compatible;
    Fill(compatible, false);
    ASSERT_EQ(Optimise(best, messages, nullptr, {EOptimiserEngine::Yield, nullptr}), 1);
    ASSERT_EQ(Optimise(compatible, messages, nullptr, {EOptimiserEngine::Compatible, nullptr}), 1);
    EXPECT_NEAR(*best.LeastCoilWeight, *compatible.LeastCoilWeight, 1e-6 * *best.LeastCoilWeight);
    EXPECT_LE(best.Layouts.TotalWeight(), compatible.Layouts.TotalWeight() + 1e-6);
}

TEST_F(YieldJobTest, AStoppedRunLeavesTheJobWithoutAResult)
{
    CVellicorDoc doc;
    Fill(doc, false);
    CStopToken stop;
    stop.RequestStop();
    EXPECT_EQ(Optimise(doc, messages, nullptr, {EOptimiserEngine::Yield, &stop}), -1);
    EXPECT_FALSE(doc.HasResults());
    EXPECT_FALSE(doc.LeastCoilWeight.has_value());
}

} // namespace
} // namespace vellicor

#include "model/vellicordoc.h"
#include "optimiser/optimise.h"
#include "platform/stringids.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <new>

namespace vellicor {
namespace {

using test::RecordingMessages;

TEST(MakeGroupKeyTest, ThicknessWithThreeDecimalsUnlessWhole)
{
    const struct {
        const char* material;
        double thickness;
        const char* key;
    } cases[] = {
        {"st37", 1.5, "st37-1.500"}, {"st37", 2.0, "st37-2"},     {"st37", 2.0004, "st37-2"},
        {"st37", 2.002, "st37-2.002"}, {"crca", 0.8, "crca-0.800"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeGroupKey(c.material, c.thickness), c.key) << c.thickness;
}

// Records which groups the run looked at and which it optimised; can stop before a given group.
struct GroupRecorder : IOptimiseProgress {
    bool BeforeGroup(int group, int groups, const std::string& key) override
    {
        EXPECT_EQ(groups, expectedGroups);
        EXPECT_EQ(group, static_cast<int>(seen.size()));
        seen.push_back(key);
        return group != stopAt;
    }
    void AfterGroup(const CGroupStats& stats) override { optimised.push_back(stats.Key); }

    int expectedGroups = 0;
    int stopAt = -1;
    std::vector<std::string> seen;
    std::vector<std::string> optimised;
};

class OptimiseTest : public testing::Test {
protected:
    CCoil* AddCoil(const std::string& material, double thickness, int qty = 3)
    {
        const int n = doc.AddCoil(std::make_unique<CCoil>("C" + std::to_string(doc.GetCoilCount() + 1), 1250.0,
                                                         material, thickness, 10000.0, qty, "", 1.0, 10.0, 15.0));
        return doc.GetCoil(n - 1);
    }
    void AddSlit(const std::string& material, double thickness, double width, double kg)
    {
        doc.AddSlit(std::make_unique<CCoilPart>("S" + std::to_string(doc.GetSlitCount() + doc.GetFillerCount() + 1),
                                                material, thickness, width, kg, "", 0));
    }
    // An old result that every run must discard first.
    void AddOldResult()
    {
        CSlitPosList positions;
        positions.push_back(std::make_unique<CLayoutSlit>(0, doc.GetSlit(0)));
        doc.Layouts.Add(std::make_unique<CLayout>(doc.GetCoil(0), std::move(positions), 123.0, 0.0));
    }

    CVellicorDoc doc;
    RecordingMessages messages;
    GroupRecorder groups;
};

TEST_F(OptimiseTest, GroupsFollowTheCoilsAndSkipThoseWithoutRequirements)
{
    AddCoil("st37", 1.5);
    AddCoil("st37", 2.0);
    AddCoil("st37", 2.0004);
    AddCoil("st37", 2.002);
    AddCoil("st52", 1.5);
    AddSlit("st37", 1.5, 300.0, 2000.0);
    AddSlit("st52", 1.5, 200.0, 1000.0);
    groups.expectedGroups = 4;

    EXPECT_EQ(Optimise(doc, messages, &groups), 1);
    EXPECT_EQ(groups.seen, (std::vector<std::string>{"st37-1.500", "st37-2", "st37-2.002", "st52-1.500"}));
    EXPECT_EQ(groups.optimised, (std::vector<std::string>{"st37-1.500", "st52-1.500"}));
    ASSERT_TRUE(doc.HasResults());
    for (const auto& layout : doc.Layouts)
        EXPECT_EQ(layout->Coil->Thickness, 1.5);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OptimiseTest, NothingToOptimiseLeavesNoResult)
{
    const struct {
        const char* name;
        int coilQty;
        double slitKg; // negative: a filler
    } cases[] = {
        {"all coils out of stock", 0, 2000.0},
        {"only fillers", 3, -1.0},
    };
    for (const auto& c : cases) {
        CVellicorDoc job;
        job.AddCoil(std::make_unique<CCoil>("C1", 1250.0, "st37", 1.5, 10000.0, c.coilQty, "", 1.0, 10.0, 15.0));
        job.AddSlit(std::make_unique<CCoilPart>("S1", "st37", 1.5, 300.0, c.slitKg, "", 0));
        CSlitPosList positions;
        positions.push_back(std::make_unique<CLayoutSlit>(0, c.slitKg < 0 ? job.GetFiller(0) : job.GetSlit(0)));
        job.Layouts.Add(std::make_unique<CLayout>(job.GetCoil(0), std::move(positions), 123.0, 0.0));
        GroupRecorder recorder;
        recorder.expectedGroups = 1;

        EXPECT_EQ(Optimise(job, messages, &recorder), -1) << c.name;
        EXPECT_FALSE(job.HasResults()) << c.name;
        EXPECT_TRUE(recorder.optimised.empty()) << c.name;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OptimiseTest, NoCoilsSaysSoAndDiscardsTheOldResult)
{
    AddSlit("st37", 1.5, 300.0, 2000.0);
    CCoil gone("C0", 1250.0, "st37", 1.5, 10000.0, 3, "", 1.0, 10.0, 15.0);
    CSlitPosList positions;
    positions.push_back(std::make_unique<CLayoutSlit>(0, doc.GetSlit(0)));
    doc.Layouts.Add(std::make_unique<CLayout>(&gone, std::move(positions), 123.0, 0.0));

    EXPECT_EQ(Optimise(doc, messages), -1);
    EXPECT_FALSE(doc.HasResults());
    EXPECT_EQ(messages.Ids(), std::vector<int>{ids::CoilSheetEmpty});
}

TEST_F(OptimiseTest, StoppedBeforeAGroupLeavesNoResult)
{
    AddCoil("st37", 1.5);
    AddCoil("st52", 1.5);
    AddSlit("st37", 1.5, 300.0, 2000.0);
    AddSlit("st52", 1.5, 200.0, 1000.0);
    groups.expectedGroups = 2;
    groups.stopAt = 1;

    EXPECT_EQ(Optimise(doc, messages, &groups), -1);
    EXPECT_EQ(groups.optimised, std::vector<std::string>{"st37-1.500"});
    EXPECT_FALSE(doc.HasResults());
}

// Stops the run, or fails as memory running out would, at a given generation pass.
struct PassTrap : IOptimiseProgress {
    bool BeforeGroup(int, int, const std::string&) override { return true; }
    void Pass(int pass, std::size_t) override
    {
        passes.push_back(pass);
        if (pass != at)
            return;
        if (outOfMemory)
            throw std::bad_alloc();
        stop.RequestStop();
    }
    void AfterGroup(const CGroupStats& stats) override { optimised.push_back(stats.Key); }

    int at = 1;
    bool outOfMemory = false;
    CStopToken stop;
    std::vector<int> passes;
    std::vector<std::string> optimised;
};

TEST_F(OptimiseTest, AStopWithinAGroupEndsItAtOnceWithoutAResult)
{
    AddCoil("st37", 1.5);
    AddCoil("st52", 1.5);
    for (double w : {300.0, 235.0, 180.0, 95.0})
        AddSlit("st37", 1.5, w, 2000.0);
    AddSlit("st52", 1.5, 200.0, 1000.0);
    AddOldResult();
    PassTrap trap;

    EXPECT_EQ(Optimise(doc, messages, &trap, {EOptimiserEngine::Compatible, &trap.stop}), -1);
    EXPECT_EQ(trap.passes, std::vector<int>{1});
    EXPECT_TRUE(trap.optimised.empty());
    EXPECT_FALSE(doc.HasResults());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OptimiseTest, RunningOutOfMemoryNamesTheGroupAndLeavesNoResult)
{
    AddCoil("st37", 1.5);
    AddCoil("st52", 1.5);
    AddSlit("st37", 1.5, 300.0, 2000.0);
    AddSlit("st52", 1.5, 200.0, 1000.0);
    PassTrap trap;
    trap.outOfMemory = true;
    trap.at = 2;

    try {
        Optimise(doc, messages, &trap, {EOptimiserEngine::Compatible});
        ADD_FAILURE() << "no error";
    } catch (const COptimiseError& e) {
        EXPECT_EQ(e.MessageId, ids::OutOfMemoryInGroup);
        EXPECT_EQ(e.Args, std::vector<std::string>{"st37-1.500"});
    }
    EXPECT_FALSE(doc.HasResults());
    EXPECT_EQ(doc.GetCoilCount(), 2);
    EXPECT_EQ(doc.GetSlitCount(), 2);
}

TEST_F(OptimiseTest, AGroupThatYieldsNothingSaysWhy)
{
    const struct {
        const char* what;
        double coilWidth;
        double coilKg;
        double slitWidth;
        int id;
        EOptimiserEngine engine;
    } cases[] = {
        {"no coil wide enough", 1000, 10000, 1200, ids::GroupNoCoilWideEnough, EOptimiserEngine::Yield},
        {"no coil wide enough", 1000, 10000, 1200, ids::GroupNoCoilWideEnough, EOptimiserEngine::Compatible},
        // The best-yield engine plans what the stock allows and counts the rest as short.
        {"too little stock", 1250, 100, 300, ids::GroupInfeasible, EOptimiserEngine::Compatible},
    };
    for (const auto& c : cases) {
        CVellicorDoc job;
        job.AddCoil(std::make_unique<CCoil>("C1", c.coilWidth, "st37", 1.5, c.coilKg, 1, "", 1.0, 0.0, 0.0));
        job.AddSlit(std::make_unique<CCoilPart>("S1", "st37", 1.5, c.slitWidth, 2000.0, "", 0));
        RecordingMessages told;

        EXPECT_EQ(Optimise(job, told, nullptr, {c.engine}), -1) << c.what;
        EXPECT_EQ(told.Ids(), std::vector<int>{c.id}) << c.what;
        ASSERT_FALSE(told.shown.empty());
        EXPECT_EQ(told.shown[0].args.front(), "st37-1.500") << c.what;
    }
}

TEST_F(OptimiseTest, DoesNotMarkTheJobModified)
{
    AddCoil("st37", 1.5);
    AddSlit("st37", 1.5, 300.0, 2000.0);
    AddOldResult();
    doc.SetModifiedFlag(false);
    Optimise(doc, messages);
    EXPECT_TRUE(doc.HasResults());
    EXPECT_FALSE(doc.IsModified());
}

// A job whose result is checked as a planner would: everything produced, parts in whole pieces,
// every layout within its coil.
TEST_F(OptimiseTest, EndToEndResultMeetsEveryRequirement)
{
    AddCoil("crca", 1.5);
    doc.AddCoil(std::make_unique<CCoil>("C2", 1000.0, "crca", 1.5, 8000.0, 2, "", 1.1, 5.0, 5.0));
    AddSlit("crca", 1.5, 300.0, 2000.0);
    AddSlit("crca", 1.5, 235.0, 1500.0);
    AddSlit("crca", 1.5, 95.0, 700.0);
    doc.AddPart(std::make_unique<CCoilPart>("P1", "crca", 1.5, 420.0, 300.0, 900, "", 1, 0));
    doc.AddPart(std::make_unique<CCoilPart>("P2", "crca", 1.5, 610.0, 180.0, 250, "", 0, 0));
    doc.Settings.Kerf = 0.5;

    ASSERT_EQ(Optimise(doc, messages), 1);
    ASSERT_TRUE(doc.HasResults());

    for (const auto& layout : doc.Layouts) {
        EXPECT_GE(layout->RestWidth(), -1e-5);
        EXPECT_LE(layout->GetSlitCount(), doc.Settings.MaxKnives + 1);
        for (const auto& slit : layout->SlitPositions) {
            if (slit->Part->Kind != KindPart)
                continue;
            const double pieces = layout->UsedLength() / (slit->Rotated ? slit->Part->Length : slit->Part->Width);
            EXPECT_NEAR(pieces, std::round(pieces), 1e-4) << slit->Part->Name;
        }
    }
    for (const auto& slit : doc.Slits)
        EXPECT_GE(doc.Layouts.ProducedWeight(slit->Name), slit->RequiredWeight() * (1 - 1e-9)) << slit->Name;
    for (const auto& part : doc.Parts) {
        double pieces = 0.0;
        for (const auto& layout : doc.Layouts)
            for (const auto& slit : layout->SlitPositions)
                if (slit->Part == part.get())
                    pieces += layout->UsedLength() / (slit->Rotated ? part->Length : part->Width);
        EXPECT_GE(pieces, part->PieceCount() - 1e-4) << part->Name;
    }

    // The same job again gives the same layouts in the same order.
    std::vector<std::string> first;
    for (const auto& layout : doc.Layouts)
        first.push_back(layout->Coil->Name + layout->WidthsText() + std::to_string(layout->Weight));
    Optimise(doc, messages);
    std::vector<std::string> second;
    for (const auto& layout : doc.Layouts)
        second.push_back(layout->Coil->Name + layout->WidthsText() + std::to_string(layout->Weight));
    EXPECT_EQ(first, second);
}

} // namespace
} // namespace vellicor

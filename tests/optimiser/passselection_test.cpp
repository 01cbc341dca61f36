#include "optimisergroup.h"

#include "optimiser/passselection.h"
#include "optimiser/patternscore.h"
#include "units/numeric.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

namespace vellicor {
namespace {

using test::COptimiserGroup;
using test::PositionLists;
using Slits = std::vector<SlitPos>;

// Ten positions of equal demand, so that every position's quotas are the floors (150 and 75):
// position k is `base` - k * `apart` mm wide, plus k * `offset`.
struct CTenWidths {
    CTenWidths(double base, double apart, double offset = 0.0)
    {
        group.AddCoil(5000);
        for (int k = 0; k < 10; ++k)
            group.AddSlit(base - apart * k + offset * k, 1000.0);
        opt = group.Make();
        opt->Iteration = 2;
    }

    double Total(const Slits& p) const { return PatternTotal(p, opt->Widths, 0.0); }

    COptimiserGroup group;
    std::unique_ptr<CPatternOptimiser> opt;
};

// The orders in which a pass may make the same patterns.
std::vector<std::pair<const char*, std::vector<Slits>>> Orders(const std::vector<Slits>& made)
{
    std::vector<Slits> reversed(made.rbegin(), made.rend());
    std::vector<Slits> shuffled = made;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    std::vector<Slits> twice = shuffled;
    twice.insert(twice.end(), made.begin(), made.end());
    return {{"as made", made}, {"reversed", reversed}, {"shuffled", shuffled}, {"each twice", twice}};
}

TEST(PassSelection, KeepsTheSamePatternsWhateverOrderThePassMadeThemIn)
{
    struct Case {
        const char* what;
        double base;
        double apart;
        double offset;
    };
    // Multiples of 20 mm, each a few millionths off: many totals fall within the tolerance of
    // their neighbours but not of those further along.
    const Case cases[] = {{"totals far apart", 200.0, 7.0, 0.0},
                          {"totals within the tolerance of their neighbours", 20.0, -20.0, 4e-6}};
    for (const Case& c : cases) {
        const CTenWidths job(c.base, c.apart, c.offset);
        ASSERT_EQ(job.opt->RequirementWidthCount(), 10u) << c.what;
        std::vector<Slits> expected;
        for (const auto& [order, patterns] : Orders(test::Multisets(10, 2, 5))) {
            CPatternList fresh;
            for (const Slits& p : patterns)
                fresh.Add(p, job.Total(p));
            job.opt->PrunePatterns(fresh);
            const auto kept = PositionLists(fresh);
            ASSERT_LT(kept.size(), 2992u) << c.what;
            if (expected.empty())
                expected = kept;
            EXPECT_EQ(kept, expected) << c.what << ", " << order;
        }
    }
}

// A pass far longer than the selection holds at a time: what it keeps is what a selection over the
// whole list keeps, the best 150 of each position by utilisation and the best 75 by balance.
TEST(PassSelection, ALongPassKeepsWhatTheWholeListWouldKeep)
{
    const CTenWidths job(200.0, 7.0);
    const std::vector<Slits> made = test::Multisets(10, 2, 9);
    ASSERT_GT(made.size(), 65536u);

    const double usable = job.opt->MaxUsableWidth;
    auto step = [](double v) { return std::round(v / kTolerance); };
    struct Keyed {
        double use;
        double balance;
        double total;
        const Slits* p;
    };
    std::vector<Keyed> keyed;
    for (const Slits& p : made) {
        const double total = job.Total(p);
        keyed.push_back(
            Keyed{step(total / usable), step(Balance(CPatternView{p, total}, job.opt->Widths)), step(total), &p});
    }
    auto before = [](double Keyed::*value) {
        return [value](const Keyed& a, const Keyed& b) {
            if (a.*value != b.*value)
                return a.*value > b.*value;
            if (a.total != b.total)
                return a.total > b.total;
            if (a.p->size() != b.p->size())
                return a.p->size() < b.p->size();
            return *a.p < *b.p;
        };
    };
    std::set<Slits> expected;
    for (auto [value, quota] : {std::pair{&Keyed::use, 150}, std::pair{&Keyed::balance, 75}}) {
        std::sort(keyed.begin(), keyed.end(), before(value));
        for (SlitPos k = 0; k < 10; ++k) {
            int counted = 0;
            for (const Keyed& e : keyed)
                if (counted < quota && std::binary_search(e.p->begin(), e.p->end(), k)) {
                    expected.insert(*e.p);
                    ++counted;
                }
        }
    }

    for (const auto& [order, patterns] : Orders(made)) {
        CPassSelection selection(job.opt->Widths, 10, usable, job.opt->Iteration);
        for (const Slits& p : patterns)
            selection.Offer(p, job.Total(p));
        const CPatternList kept = selection.Take();
        const auto lists = PositionLists(kept);
        EXPECT_EQ(std::set<Slits>(lists.begin(), lists.end()), expected) << order;
        EXPECT_EQ(lists.size(), expected.size()) << order;
        for (std::size_t i = 1; i < kept.Size(); ++i)
            EXPECT_FALSE(kept.Before(kept.Entries[i], kept.Entries[i - 1])) << order;
    }
}

} // namespace
} // namespace vellicor

#include "optimiser/pricing.h"
#include "optimiser/stoptoken.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace vellicor {
namespace {

constexpr std::size_t Unlimited = 100000000;

TEST(PriceBestPatternTest, PatternsKnownByHand)
{
    const struct {
        const char* name;
        std::vector<CPricingItem> items;
        CPatternRules rules; // usable width, kerf, slits, distinct
        std::vector<SlitPos> positions;
        double value;
    } cases[] = {
        {"the best mix fills the coil", {{0, 400, 4}, {1, 300, 3.3}}, {1000, 0, 11, 0}, {0, 1, 1}, 10.6},
        {"kerf takes a slit away", {{0, 250, 1}}, {1000, 1, 11, 0}, {0, 0, 0}, 3},
        {"the knife limit binds", {{0, 100, 0.1}, {1, 300, 2}}, {1000, 0, 3, 0}, {1, 1, 1}, 6},
        {"the distinct-width limit binds", {{0, 500, 5}, {1, 300, 3}, {2, 200, 2}}, {1000, 0, 11, 2}, {0, 0}, 10},
        {"a full-width pattern goes beyond the knife limit", {{0, 20, 0.02}}, {1250, 0, 11, 0},
         std::vector<SlitPos>(62, 0), 62 * 0.02},
        {"one knife still allows the full-width pattern", {{0, 400, 4}}, {1000, 0, 1, 0}, {0, 0}, 8},
        {"a width of no worth stays out", {{0, 600, 0}, {1, 300, 1}}, {1000, 0, 11, 0}, {1, 1, 1}, 3},
        {"a width wider than the coil stays out", {{0, 1001, 50}, {1, 500, 1}}, {1000, 0, 11, 0}, {1, 1}, 2},
    };
    for (const auto& c : cases) {
        const CPricedPattern best = PriceBestPattern(c.items, c.rules, Unlimited, nullptr);
        EXPECT_EQ(best.Positions, c.positions) << c.name;
        EXPECT_NEAR(best.Value, c.value, 1e-9) << c.name;
        EXPECT_NEAR(best.UpperValue, best.Value, 1e-9) << c.name;
    }
}

// Every multiset within the rules, the plain way.
double BruteForce(const std::vector<CPricingItem>& items, const CPatternRules& rules)
{
    double best = 0.0;
    std::vector<int> counts(items.size(), 0);
    std::function<void(std::size_t, double, int, int, double)> visit = [&](std::size_t i, double used, int slits,
                                                                           int distinct, double value) {
        if (used >= 0.5 * rules.UsableWidth - 1e-9)
            best = std::max(best, value);
        if (i == items.size())
            return;
        const double step = items[i].Width + rules.Kerf;
        for (int n = 1; used + n * step <= rules.UsableWidth + 1e-9 && slits + n <= rules.MaxSlits; ++n)
            if (rules.MaxDistinct == 0 || distinct < rules.MaxDistinct)
                visit(i + 1, used + n * step, slits + n, distinct + 1, value + n * items[i].Value);
        visit(i + 1, used, slits, distinct, value);
    };
    visit(0, 0.0, 0, 0, 0.0);
    for (const CPricingItem& item : items) {
        const double n = std::floor(rules.UsableWidth / (item.Width + rules.Kerf));
        best = std::max(best, n * item.Value);
    }
    return best;
}

TEST(PriceBestPatternTest, AgreesWithEveryPatternOnRandomPrices)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> width(40.0, 700.0);
    std::uniform_real_distribution<double> price(0.0, 1.0);
    for (int round = 0; round < 200; ++round) {
        std::vector<CPricingItem> items;
        const int n = 1 + static_cast<int>(rng() % 7);
        for (int i = 0; i < n; ++i) {
            const double w = std::round(width(rng) * 2.0) / 2.0;
            items.push_back({static_cast<SlitPos>(i), w, w * price(rng)});
        }
        const CPatternRules rules{1000.0 + static_cast<double>(rng() % 500), static_cast<double>(rng() % 3),
                                  2 + static_cast<int>(rng() % 6), static_cast<int>(rng() % 4)};
        const CPricedPattern best = PriceBestPattern(items, rules, Unlimited, nullptr);
        ASSERT_NEAR(best.Value, BruteForce(items, rules), 1e-9) << "round " << round;
        double used = 0.0;
        for (SlitPos k : best.Positions)
            used += items[k].Width + rules.Kerf;
        EXPECT_LE(used, rules.UsableWidth + 1e-9) << "round " << round;
    }
}

TEST(PriceBestPatternTest, AStoppedSearchKeepsAProvenUpperValue)
{
    std::vector<CPricingItem> items;
    for (int i = 0; i < 60; ++i)
        items.push_back({static_cast<SlitPos>(i), 40.0 + 7.3 * i, (40.0 + 7.3 * i) * (1.0 + 0.001 * (i % 7))});
    const CPatternRules rules{1500, 0, 11, 0};
    const CPricedPattern full = PriceBestPattern(items, rules, Unlimited, nullptr);
    CStopToken stop;
    stop.RequestStop();
    for (std::size_t budget : {std::size_t{10}, Unlimited}) {
        const CPricedPattern cut = PriceBestPattern(items, rules, budget, budget == Unlimited ? &stop : nullptr);
        EXPECT_LE(cut.Value, full.Value + 1e-9);
        EXPECT_GE(cut.UpperValue, full.Value - 1e-9);
    }
}

} // namespace
} // namespace vellicor

#pragma once

#include "optimiser/pattern.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellicor {

// The patterns one generation pass keeps, chosen while the pass makes them. Below the pass's limit
// of distinct patterns every one is kept. From the limit on, a pattern is kept when it is among the
// best quota of the patterns holding one of its positions, by utilisation or by balance.
//
// Both orders are strict weak orders (values and totals compare in whole tolerance steps, then
// fewer slits, then the smaller positions), so the best of each position do not depend on the
// order in which patterns come. That lets the pass hold a bounded buffer: whenever it fills, only
// the best of each position stay, and a pattern that cannot beat the worst kept one of any of its
// positions is turned away at once.
class CPassSelection {
public:
    CPassSelection(std::span<const CSlitWidth> widths, std::size_t positions, double maxUsableWidth, int iteration);
    CPassSelection(const CPassSelection&) = delete;
    CPassSelection& operator=(const CPassSelection&) = delete;

    // Offers a pattern of ascending positions; the same pattern may be offered again.
    void Offer(std::span<const SlitPos> positions, double total);
    // The kept patterns, sorted by the pattern order. Ends the selection.
    CPatternList Take();

private:
    static constexpr std::uint32_t None = static_cast<std::uint32_t>(-1);

    struct Keys {
        double Use = 0.0;
        double Balance = 0.0;
        double Total = 0.0;
    };

    bool Before(const Keys& a, std::span<const SlitPos> pa, std::uint32_t b, bool byBalance) const;
    bool Wanted(std::span<const SlitPos> positions, double total, Keys& keys, bool& balanced) const;
    void Prune();
    void MarkBest(std::vector<std::uint32_t>& members, std::size_t quota, bool byBalance, std::uint32_t& worst);

    std::span<const CSlitWidth> widths_;
    std::size_t positions_;
    double maxUsableWidth_;
    std::size_t limit_ = 0;
    std::size_t capacity_ = 0;
    std::vector<std::size_t> quotaByUse_;
    std::vector<std::size_t> quotaByBalance_;

    // The held patterns in the order they came, with their keys beside them.
    CPatternList held_;
    CPatternIndex index_;
    std::vector<Keys> keys_;
    bool pruned_ = false;
    // Per position, the worst held pattern among its best, or None while every pattern that holds
    // the position is wanted.
    std::vector<std::uint32_t> worstByUse_;
    std::vector<std::uint32_t> worstByBalance_;
};

} // namespace vellicor

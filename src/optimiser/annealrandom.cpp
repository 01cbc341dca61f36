#include "optimiser/annealrandom.h"

#include <cstdlib>

namespace vellicor {

namespace {

constexpr std::int32_t kModulus = 1000000000;
constexpr std::int32_t kSeedConstant = 161803398;
constexpr double kScale = 1e-9;

std::int32_t Reduce(std::int32_t x)
{
    return x < 0 ? x + kModulus : x;
}

} // namespace

CSubtractiveRandom::CSubtractiveRandom(std::int32_t seed)
{
    std::int32_t value = std::abs(kSeedConstant - std::abs(seed)) % kModulus;
    table_[55] = value;
    // Spread the seed over the table in the order 21, 42, 8, ... (21 * i mod 55).
    std::int32_t step = 1;
    for (int i = 1; i <= 54; ++i) {
        const int at = (21 * i) % 55;
        table_[at] = step;
        step = Reduce(value - step);
        value = table_[at];
    }
    // Warm up: four rounds, each entry less the one 31 places on (cyclically).
    for (int round = 0; round < 4; ++round)
        for (int i = 1; i <= 55; ++i)
            table_[i] = Reduce(table_[i] - table_[1 + (i + 30) % 55]);
}

double CSubtractiveRandom::Next()
{
    if (++next_ == 56)
        next_ = 1;
    if (++nextFar_ == 56)
        nextFar_ = 1;
    const std::int32_t value = Reduce(table_[next_] - table_[nextFar_]);
    table_[next_] = value;
    return value * kScale;
}

int CShiftRegisterBits::Next()
{
    const std::uint32_t bit = ((state_ >> 17) ^ (state_ >> 4) ^ (state_ >> 1) ^ state_) & 1u;
    state_ = (state_ << 1) | bit;
    return static_cast<int>(bit);
}

} // namespace vellicor

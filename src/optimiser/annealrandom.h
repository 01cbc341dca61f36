#pragma once

#include <array>
#include <cstdint>

namespace vellicor {

// Knuth's subtractive uniform generator: modulus 10^9, results in [0, 1). The sequencing draws
// every number from one of these so that the same layouts always anneal to the same order.
class CSubtractiveRandom {
public:
    // Any seed starts a fresh table; the annealing starts with -1.
    explicit CSubtractiveRandom(std::int32_t seed);

    double Next();

private:
    // Positions 1 to 55, as in Knuth's description; position 0 is not used.
    std::array<std::int32_t, 56> table_{};
    int next_ = 0;
    int nextFar_ = 31;
};

// One random bit at a time from a 32-bit shift register with feedback from bits 17, 4, 1 and 0.
class CShiftRegisterBits {
public:
    explicit CShiftRegisterBits(std::uint32_t seed) : state_(seed) {}

    int Next();

private:
    std::uint32_t state_;
};

} // namespace vellicor

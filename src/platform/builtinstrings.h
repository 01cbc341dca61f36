#pragma once

#include <span>

namespace vellicor {

struct BuiltinString {
    int id;
    const char* text;
};

// The built-in texts, sorted by id.
std::span<const BuiltinString> BuiltinStrings();

} // namespace vellicor

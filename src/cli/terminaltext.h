#pragma once

#include <string>
#include <string_view>

namespace vellicor::cli {

// A text from a job made harmless for a terminal: control characters, which could move the cursor
// or rewrite the screen, are shown as escapes ("\t", "\n", "\r", "\x1b", and "\u009b" for the
// controls above 127); everything else is left as it is.
std::string TerminalText(std::string_view utf8);

} // namespace vellicor::cli

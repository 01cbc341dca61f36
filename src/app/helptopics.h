#pragma once

#include <string>

namespace vellicor {

// The help pages: topic i (counting from 1) belongs to the i-th id of the help context table, a
// dialog or command id; topic 0 is the contents.
inline constexpr int kHelpContents = 0;

// The topic of a help request; only the low 16 bits of the number count. kHelpContents when the
// id has no topic of its own.
int HelpTopicOf(int contextId);

// The file name of a topic's page in the help folder; the contents page for a number out of range.
std::string HelpTopicPage(int topic);

// The number of topics besides the contents.
int HelpTopicCount();

} // namespace vellicor

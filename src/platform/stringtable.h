#pragma once

#include <map>
#include <string>
#include <vector>

namespace vellicor {

// Every text the system shows, addressed by number. The built-in texts can be replaced by a
// language pack: a UTF-8 file of "id<TAB>text" lines in which \n, \r, \t and \\ stand for a line
// feed, a carriage return, a tab and a backslash.
class CStringTable {
public:
    // The text of `id`: the language pack's if it has one, else the built-in one, else empty.
    std::string Text(int id) const;
    bool Has(int id) const;

    // Text(id) with "%1" ... "%9" replaced by the argument of that number and each "%s" or "%d"
    // by the next argument in order; "%%" stands for one percent sign only where arguments are given.
    std::string Format(int id, const std::vector<std::string>& args) const;

    // Replaces texts from the pack's content; false (and nothing replaced) when a line is malformed.
    bool LoadLanguagePack(const std::string& content);
    void ClearLanguagePack() { pack_.clear(); }

private:
    std::map<int, std::string> pack_;
};

// Fills placeholders of a text as CStringTable::Format does.
std::string FormatText(const std::string& text, const std::vector<std::string>& args);

// The built-in text of `id`, or nullptr.
const char* BuiltinText(int id);

// The process-wide table; the application loads the language pack into it at start-up.
CStringTable& Strings();

} // namespace vellicor

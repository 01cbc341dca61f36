#include "platform/builtinstrings.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

TEST(StringTable, BuiltinTextsAreSortedAndUnique)
{
    const auto table = BuiltinStrings();
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].id, table[i].id) << "after id " << table[i - 1].id;
    EXPECT_STREQ(BuiltinText(ids::UnexpectedFileFormat), "%1\nUnexpected file format.");
    EXPECT_EQ(BuiltinText(1), nullptr);
}

TEST(StringTable, FormatFillsPlaceholders)
{
    struct Case {
        const char* text;
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {"%1\nCannot find this file.", {"job.vcj"}, "job.vcj\nCannot find this file."},
        {"Duplicate Stock name [%s].", {"C1"}, "Duplicate Stock name [C1]."},
        {"%2 before %1", {"a", "b"}, "b before a"},
        {"%s and %d", {"x", "7"}, "x and 7"},
        {"100% of %s", {"it"}, "100% of it"},
        {"50%% done %s", {"now"}, "50% done now"},
        {"missing %3", {"a"}, "missing "},
        {"no args: 100%", {}, "no args: 100%"},
        {"trailing %", {"a"}, "trailing %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatText(c.text, c.args), c.out) << c.text;
}

TEST(StringTable, LanguagePackReplacesTexts)
{
    CStringTable table;
    EXPECT_EQ(table.Text(175).substr(0, 8), "The file");
    ASSERT_TRUE(table.LoadLanguagePack("\xEF\xBB\xBF# comment\r\n175\tDatei zuerst speichern.\r\n61701\t%1\\nnicht gefunden\\t\\\\\n\n"));
    EXPECT_EQ(table.Text(175), "Datei zuerst speichern.");
    EXPECT_EQ(table.Format(ids::FileNotFound, {"a.vcj"}), "a.vcj\nnicht gefunden\t\\");
    EXPECT_EQ(table.Text(198).substr(0, 5), "Could");  // not in the pack: built in
    EXPECT_TRUE(table.Has(175));
    EXPECT_FALSE(table.Has(3));

    // A malformed pack replaces nothing.
    EXPECT_FALSE(table.LoadLanguagePack("198\tneu\nno tab here\n"));
    EXPECT_EQ(table.Text(175), "Datei zuerst speichern.");
    EXPECT_EQ(table.Text(198).substr(0, 5), "Could");
    table.ClearLanguagePack();
    EXPECT_EQ(table.Text(175).substr(0, 8), "The file");
}

} // namespace
} // namespace vellicor

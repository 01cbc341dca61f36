#include "units/textutil.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

using Strings = std::vector<std::string>;

TEST(SplitString, SplitsAtEveryDelimiterAndTrimsOnlyTheLast)
{
    struct Case {
        const char* text;
        const char* delimiter;
        Strings parts;
    };
    const Case cases[] = {
        {"a::b::", "::", {"a", "b"}},
        {"a, b", ",", {"a", "b"}},
        {"a ,b", ",", {"a ", "b"}},                 // only the last element is trimmed
        {",a", ",", {"", "a"}},
        {"a,,b ", ",", {"a", "", "b"}},
        {"a,b, ", ",", {"a", "b"}},
        {"", ",", {}},
        {"  x   y\t\tz ", " ", {"x", "y\tz"}},     // runs collapse to their first blank
        {"x \ty", " ", {"x", "y"}},
        {"one", "", {"one"}},                       // an empty delimiter never loops
    };
    for (const auto& c : cases) {
        Strings out{"stale"};
        EXPECT_EQ(SplitString(c.text, out, c.delimiter), static_cast<int>(c.parts.size())) << c.text;
        EXPECT_EQ(out, c.parts) << "'" << c.text << "' at '" << c.delimiter << "'";
    }
}

TEST(TextUtil, JoinCollapseTrimAndSlash)
{
    EXPECT_EQ(JoinStrings({"a", "b"}, "::"), "a::b::");
    EXPECT_EQ(JoinStrings({}, "::"), "");
    Strings back;
    SplitString(JoinStrings({"C1", "2000", ""}, "::"), back, "::");
    EXPECT_EQ(back, (Strings{"C1", "2000", ""}));

    EXPECT_EQ(CollapseSpaces("  a  \t b\t c"), "a b\tc");
    EXPECT_EQ(Trim("\t x y \r\n"), "x y");
    EXPECT_EQ(Trim("   "), "");

    struct Case {
        const char* in;
        const char* out;
    };
    const Case slashes[] = {{" C:\\Data\\ ", "C:\\Data"}, {"/tmp/", "/tmp"}, {"/tmp//", "/tmp/"}, {"", ""}, {"x", "x"}};
    for (const auto& c : slashes) {
        std::string path = c.in;
        StripTrailingSlash(path);
        EXPECT_EQ(path, c.out);
    }
    EXPECT_EQ(ToLowerAscii("CrCa-\xC3\x9C"), "crca-\xC3\x9C");
}

} // namespace
} // namespace vellicor

#include "csv/csvimport.h"

#include "platform/memorysettingsstore.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "support/recordingmessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace vellicor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Strings = std::vector<std::string>;

constexpr const char* kSection = "Stock_Csv";
const Strings kNameLW{"Name", "L", "W"};
constexpr const char* kNameLWFile = "Name,L,W\nA,100,50\n";

TEST(ExpandDefaultText, SubstitutesRowNumberAndFields)
{
    struct Case {
        std::string text;
        Strings fields;
        int rowNo;
        std::string expanded;
    };
    const Strings twelve{"f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11", "f12"};
    const Case cases[] = {
        {"7", {"a"}, 3, "7"},
        {"P$N", {"a"}, 3, "P3"},
        {"$N$N", {}, 12, "1212"},
        {"$2x$3", {"a", "b", "c"}, 1, "bxc"},
        {"$12", twelve, 1, "f12"},
        {"$12", {"a", "b", "c"}, 1, "a2"},
        {"$5 $0 $", {"a", "b", "c"}, 1, "$5 $0 $"},
        {"$$1", {"a"}, 1, "$a"},
        {"$n", {"a"}, 1, "$n"},
        // Substituted text stays as it is.
        {"$2", {"$N", "$1$1"}, 4, "$1$1"},
        {"$1", {"$N"}, 4, "$N"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandDefaultText(c.text, c.fields, c.rowNo), c.expanded) << c.text;
}

class CsvImportTest : public ::testing::Test {
protected:
    std::unique_ptr<CCsvImport> Make(const Strings& items, std::string_view content)
    {
        auto import = std::make_unique<CCsvImport>(items, Strings(items.size(), "ex"), "Import Stock", "stock.csv",
                                                   kSection, settings, messages);
        import->SetContent(content);
        return import;
    }

    std::unique_ptr<CCsvImport> Opened(const Strings& items, std::string_view content)
    {
        auto import = Make(items, content);
        import->Open();
        return import;
    }

    void Save(const std::string& nos, const std::string& defaults, const std::string& delimiter,
              const std::string& headerSkip)
    {
        settings.WriteString(kSection, "MappedColumnNos", nos);
        settings.WriteString(kSection, "MappedColumnDefaults", defaults);
        settings.WriteString(kSection, "DelimiterStr", delimiter);
        settings.WriteString(kSection, "FirstHeaderSkipLines", headerSkip);
    }

    static Strings Columns(const CCsvImport& import)
    {
        Strings names;
        for (std::size_t i = 0; i < import.Items().size(); ++i)
            names.push_back(import.Choices()[static_cast<std::size_t>(import.ImportColumn(i))]);
        return names;
    }

    MemorySettingsStore settings;
    test::RecordingMessages messages;
};

TEST_F(CsvImportTest, HeaderFileGivesHeaderChoicesAndDefaultMapping)
{
    const auto import = Opened({"Name", "L", "W", "Qty", "Mate"}, kNameLWFile);

    EXPECT_EQ(import->Delimiter(), ",");
    EXPECT_EQ(import->DelimiterRadio(), CCsvImport::RadioComma);
    EXPECT_FALSE(import->OtherEnabled());
    EXPECT_EQ(import->SkipLines(), 0);
    EXPECT_TRUE(import->HasHeaders());
    // Padded with "<Expression>" up to the number of items.
    EXPECT_THAT(import->Choices(), ElementsAre("<Expression>", "Name", "L", "W", "<Expression>"));
    EXPECT_EQ(import->PreviewColumnCount(), 3);
    EXPECT_THAT(import->PreviewRows(), ElementsAre(Strings{"A", "100", "50"}));
    // Item i gets choice i - 1.
    EXPECT_THAT(Columns(*import), ElementsAre("<Expression>", "Name", "L", "W", "<Expression>"));
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(CsvImportTest, NumbersInFirstLineGiveNumberedColumns)
{
    const auto import = Opened(kNameLW, " 1, 2 ,3\n4,5,6\n7,8\n");

    EXPECT_FALSE(import->HasHeaders());
    EXPECT_THAT(import->Choices(), ElementsAre("<Expression>", "Col 1", "Col 2", "Col 3"));
    // The preview starts at the first line; a short line shows empty cells.
    EXPECT_THAT(import->PreviewRows(),
                ElementsAre(Strings{"1", " 2 ", "3"}, Strings{"4", "5", "6"}, Strings{"7", "8", ""}));
}

TEST_F(CsvImportTest, PreviewShowsAtMostFourLinesAfterTheHeader)
{
    const auto import = Opened({"A"}, "Title\nA,B\n1,2\n3,4\n5,6\n7,8,9\n10,11\n");

    EXPECT_EQ(import->SkipLines(), 1);
    EXPECT_THAT(import->Choices(), ElementsAre("<Expression>", "A", "B"));
    EXPECT_THAT(import->PreviewRows(), ElementsAre(Strings{"1", "2"}, Strings{"3", "4"}, Strings{"5", "6"},
                                                   Strings{"7", "8"}));
}

TEST_F(CsvImportTest, ImportsMappedColumnsAndJoinsWithColons)
{
    const auto import = Opened({"Id", "Name", "L", "W"}, "Name,L,W\n\nA,100,50\nB,200,60\n");
    import->SetDefaultText(0, "S$N");

    EXPECT_TRUE(import->Accept());
    EXPECT_THAT(import->Rows(), ElementsAre("S1::A::100::50::", "S2::B::200::60::"));
    EXPECT_EQ(import->RowCount(), 2);
    EXPECT_EQ(import->Row(1), "S2::B::200::60::");
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(CsvImportTest, ConstantAndRowNumberDefaults)
{
    const auto import = Opened({"Name", "Qty"}, "1,2\n3,4\n");
    import->SetImportColumn(1, 0);
    import->SetDefaultText(0, "P$N");
    import->SetDefaultText(1, "7");

    EXPECT_TRUE(import->Accept());
    EXPECT_THAT(import->Rows(), ElementsAre("P1::7::", "P2::7::"));
}

TEST_F(CsvImportTest, LinesWithMissingMappedValuesAreReportedAndSkipped)
{
    const auto import = Opened({"Id", "Name", "L", "W"}, "Name,L,W\nA,100,50\nD,300,80\nB,200\nC,,70\n");
    import->SetDefaultText(0, "P$N");

    EXPECT_TRUE(import->Accept());
    // The row counter counts imported rows only.
    EXPECT_THAT(import->Rows(), ElementsAre("P1::A::100::50::", "P2::D::300::80::"));
    ASSERT_THAT(messages.Ids(), ElementsAre(CCsvImport::kMsgLinesSkipped));
    EXPECT_EQ(messages.shown[0].text, "The following 2 lines had errors and have been skipped\n B,200,\nC,,70,\n");
}

TEST_F(CsvImportTest, QuotesAreRemovedButDoNotProtectDelimiters)
{
    const auto import = Opened({"A", "B", "C"}, "x,y,z\na,\"b,c\"\n");
    for (std::size_t i = 0; i < 3; ++i)
        import->SetImportColumn(i, static_cast<int>(i) + 1);

    EXPECT_TRUE(import->Accept());
    EXPECT_THAT(import->Rows(), ElementsAre("a::b::c::"));
}

TEST_F(CsvImportTest, DuplicateHeaderNamesKeepTheChosenColumn)
{
    const auto import = Opened({"Id", "First", "Second"}, "W,W\n5,6\n");
    import->SetDefaultText(0, "1");

    EXPECT_THAT(import->Choices(), ElementsAre("<Expression>", "W", "W"));
    EXPECT_TRUE(import->Accept());
    EXPECT_THAT(import->Rows(), ElementsAre("1::5::6::"));
}

TEST_F(CsvImportTest, ChangingTheLayoutResetsTheMapping)
{
    struct Case {
        const char* name;
        void (*change)(CCsvImport&);
        Strings choices;
    };
    const Case cases[] = {
        {"tab delimiter", [](CCsvImport& i) { i.SelectDelimiter(CCsvImport::RadioTab); }, {"<Expression>", "a;b,c", "d"}},
        {"other delimiter", [](CCsvImport& i) { i.LeaveOtherBox(";"); }, {"<Expression>", "a", "b,c\td"}},
        {"headers off", [](CCsvImport& i) { i.SetHasHeaders(false); }, {"<Expression>", "Col 1", "Col 2"}},
        {"lines skipped", [](CCsvImport& i) { i.SetSkipLines(1); }, {"<Expression>", "1;2", "3\t4"}},
    };
    for (const auto& c : cases) {
        const auto import = Opened({"X", "Y", "Z"}, "a;b,c\td\n1;2,3\t4\n5;6,7\t8\n");
        ASSERT_THAT(import->Choices(), ElementsAre("<Expression>", "a;b", "c\td")) << c.name;
        import->SetImportColumn(0, 2);
        import->SetImportColumn(1, 0);
        import->SetDefaultText(2, "kept");

        c.change(*import);
        EXPECT_EQ(import->Choices(), c.choices) << c.name;
        EXPECT_EQ(import->ImportColumn(0), 0) << c.name;
        EXPECT_EQ(import->ImportColumn(1), 1) << c.name;
        EXPECT_EQ(import->ImportColumn(2), 2) << c.name;
        EXPECT_EQ(import->DefaultText(2), "kept") << c.name;
    }
}

TEST_F(CsvImportTest, OtherBoxTakesOneCharacterThatIsNoLetterOrDigit)
{
    struct Case {
        std::string text;
        bool taken;
        std::string delimiter;
        bool message;
    };
    const Case cases[] = {
        {";", true, ";", false},
        {" | ", true, "|", false},
        {"\xC2\xA7", true, "\xC2\xA7", false},
        {"a", false, ",", true},
        {"7", false, ",", true},
        {";;", false, ",", true},
        {"", false, ",", false},
        {"   ", false, ",", false},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        const auto import = Opened({"A", "B"}, "p;q,r\n1;2,3\n");
        import->SelectDelimiter(CCsvImport::RadioOther);
        EXPECT_TRUE(import->OtherEnabled());
        EXPECT_EQ(import->Delimiter(), ",") << "Other alone changes nothing";

        EXPECT_EQ(import->LeaveOtherBox(c.text), c.taken) << c.text;
        EXPECT_EQ(import->Delimiter(), c.delimiter) << c.text;
        EXPECT_EQ(import->OtherText(), c.text);
        EXPECT_EQ(messages.Ids(), c.message ? std::vector<int>{CCsvImport::kMsgBadDelimiter} : std::vector<int>{})
            << c.text;
        if (!c.taken) {
            EXPECT_THAT(import->Choices(), ElementsAre("<Expression>", "p;q", "r")) << c.text;
        }
    }
}

TEST_F(CsvImportTest, DetectedOtherDelimiterFillsTheOtherBox)
{
    const auto import = Opened({"A"}, "a;b\nc;d\n");

    EXPECT_EQ(import->Delimiter(), ";");
    EXPECT_EQ(import->DelimiterRadio(), CCsvImport::RadioOther);
    EXPECT_TRUE(import->OtherEnabled());
    EXPECT_EQ(import->OtherText(), ";");
}

TEST_F(CsvImportTest, SkipLinesStaysWithinTheLinesRead)
{
    struct Case {
        const char* name;
        std::string content;
        std::pair<int, int> range;
    };
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += "a,b\n";
    std::string fourteen;
    for (int i = 0; i < 14; ++i)
        fourteen += "a,b\n";
    const Case cases[] = {
        {"more than 14 lines", twenty, {0, 14}},
        {"14 lines", fourteen, {0, 13}},
        {"few lines", "a,b\nc,d\ne,f\n", {0, 2}},
        {"leading blank lines", "\n\na,b\nc,d\n", {2, 3}},
        {"no lines", "", {0, 0}},
    };
    for (const auto& c : cases) {
        const auto import = Opened({"A"}, c.content);
        EXPECT_EQ(import->SkipLinesRange(), c.range) << c.name;
        import->SetSkipLines(99);
        EXPECT_EQ(import->SkipLines(), c.range.second) << c.name;
        import->SetSkipLines(-1);
        EXPECT_EQ(import->SkipLines(), c.range.first) << c.name;
    }
}

TEST_F(CsvImportTest, ImportSkipsLeadingLinesAndReadsPastThePreview)
{
    std::string content = "Report\n\nName,L\n";
    for (int i = 1; i <= 20; ++i)
        content += "P" + std::to_string(i) + "," + std::to_string(i * 10) + "\n";
    const auto import = Opened({"Id", "Name", "L"}, content);
    import->SetDefaultText(0, "$N");

    EXPECT_EQ(import->SkipLines(), 2);
    EXPECT_TRUE(import->HasHeaders());
    EXPECT_EQ(import->LinesRead().size(), 17u);
    EXPECT_TRUE(import->Accept());
    ASSERT_EQ(import->RowCount(), 20);
    EXPECT_EQ(import->Row(0), "1::P1::10::");
    EXPECT_EQ(import->Row(19), "20::P20::200::");
}

TEST_F(CsvImportTest, SavedSettingsThatDifferAreAdoptedOnlyOnYes)
{
    struct Case {
        MessageAnswer answer;
        std::string delimiter;
        Strings choices;
        Strings columns;
        std::string firstDefault;
    };
    const Case cases[] = {
        {MessageAnswer::Yes, ";", {"<Expression>", "Col 1", "Col 2"}, {"Col 2", "<Expression>"}, "D"},
        {MessageAnswer::No, ",", {"<Expression>", "a;b", "c"}, {"<Expression>", "a;b"}, ""},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        messages.answers = {c.answer};
        Save("2::0::", "D::E::", ";", "0::1::");
        const auto import = Opened({"A", "B"}, "x;y,z\na;b,c\nd;e,f\n");

        EXPECT_THAT(messages.Ids(), ElementsAre(CCsvImport::kMsgFormatDiffers));
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(import->Delimiter(), c.delimiter);
        // The saved SkipLines is taken either way.
        EXPECT_EQ(import->SkipLines(), 1);
        EXPECT_EQ(import->Choices(), c.choices);
        EXPECT_EQ(Columns(*import), c.columns);
        EXPECT_EQ(import->DefaultText(0), c.firstDefault);
    }
}

TEST_F(CsvImportTest, MatchingSavedSettingsRestoreTheMappingSilently)
{
    Save("3::-1::1::9::", "X::Y::Z::W::", ",", "1::0::");
    const auto import = Opened({"A", "B", "C", "D"}, kNameLWFile);

    EXPECT_THAT(messages.shown, IsEmpty());
    // Numbers outside the header's fields give "<Expression>".
    EXPECT_THAT(Columns(*import), ElementsAre("W", "<Expression>", "Name", "<Expression>"));
    EXPECT_EQ(import->DefaultText(3), "W");
}

TEST_F(CsvImportTest, SavedMappingOfTheWrongCountKeepsTheDefaultMapping)
{
    struct Case {
        const char* name;
        std::string nos;
        std::string defaults;
    };
    const Case cases[] = {
        {"too few defaults", "3::2::1::", "X::Y::"},
        {"too many defaults", "3::2::1::", "X::Y::Z::Q::"},
        {"too few column numbers", "3::", "X::Y::Z::"},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        Save(c.nos, c.defaults, ",", "1::0::");
        const auto import = Opened(kNameLW, kNameLWFile);

        EXPECT_THAT(messages.Ids(), ElementsAre(CCsvImport::kMsgSavedMappingInvalid)) << c.name;
        EXPECT_THAT(Columns(*import), ElementsAre("<Expression>", "Name", "L")) << c.name;
        EXPECT_EQ(import->DefaultText(0), "") << c.name;
    }
}

TEST_F(CsvImportTest, DamagedSavedLayoutFallsBackToTheDetectedOne)
{
    struct Case {
        const char* name;
        std::string delimiter;
        std::string headerSkip;
        int skipLines;
    };
    const Case cases[] = {
        {"empty delimiter", "", "1::1::", 1},
        {"SkipLines beyond the lines read", ",", "1::40::", 3},
        {"negative SkipLines", ",", "1::-3::", 0},
        {"no SkipLines", ",", "1::", 1},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        Save("0::1::", "::::", c.delimiter, c.headerSkip);
        const auto import = Opened({"A", "B"}, "Title\nName,L\nA,1\nB,2\n");

        EXPECT_THAT(messages.shown, IsEmpty()) << c.name;
        EXPECT_EQ(import->Delimiter(), ",") << c.name;
        EXPECT_EQ(import->SkipLines(), c.skipLines) << c.name;
    }
}

TEST_F(CsvImportTest, SaveSettingsWritesTheFourValues)
{
    const auto import = Opened({"Name", "L", "W", "Qty", "Remarks"}, "Stock\nName;L;W\nA;1;2\nB;3;4\n");
    import->SetImportColumn(0, 1);
    import->SetImportColumn(1, 0);
    import->SetDefaultText(1, "$2");
    import->SetDefaultText(3, "1");

    import->SaveSettings();
    const std::map<MemorySettingsStore::Key, MemorySettingsStore::Value> expected{
        {{kSection, "MappedColumnNos"}, std::string("1::0::2::3::0::")},
        {{kSection, "MappedColumnDefaults"}, std::string("::$2::::1::::")},
        {{kSection, "DelimiterStr"}, std::string(";")},
        {{kSection, "FirstHeaderSkipLines"}, std::string("1::1::")},
    };
    EXPECT_EQ(settings.Values(), expected);

    // The next import of such a file comes back to the same state without a question.
    const auto again = Opened(import->Items(), "Stock\nName;L;W\nC;5;6\n");
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_EQ(Columns(*again), Columns(*import));
    EXPECT_EQ(again->DefaultText(1), "$2");
    EXPECT_EQ(again->DefaultText(3), "1");
}

TEST_F(CsvImportTest, UnmappedItemsWithoutDefaultsAreQuestionedOnOk)
{
    struct Case {
        MessageAnswer answer;
        bool accepted;
        int rows;
    };
    const Case cases[] = {{MessageAnswer::Yes, false, 0}, {MessageAnswer::No, true, 1}};
    for (const auto& c : cases) {
        messages.shown.clear();
        messages.answers = {c.answer};
        const auto import = Opened({"Id", "Name", "L", "W", "Qty"}, kNameLWFile);

        EXPECT_EQ(import->Accept(), c.accepted);
        EXPECT_EQ(import->RowCount(), c.rows);
        ASSERT_THAT(messages.Ids(), ElementsAre(CCsvImport::kMsgColumnsWithoutDefaults));
        EXPECT_EQ(messages.shown[0].text, "The following Columns are skipped without specifying default values\n"
                                          "Id,\nQty,\nWould you like to specify default values for them?");
    }
}

TEST_F(CsvImportTest, NothingToImportIsToldAndKeepsTheDialogOpen)
{
    struct Case {
        const char* name;
        std::string content;
    };
    const Case cases[] = {{"empty file", ""}, {"blank lines", "\n \n"}, {"header only", "Name,L\n"}};
    for (const auto& c : cases) {
        messages.shown.clear();
        const auto import = Opened({"Id", "Name"}, c.content);
        import->SetDefaultText(0, "x");
        import->SetDefaultText(1, "y");

        EXPECT_FALSE(import->Accept()) << c.name;
        EXPECT_THAT(messages.Ids(), ElementsAre(ids::NothingToImport)) << c.name;
    }
}

class CsvImportFileTest : public CsvImportTest {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path()
              / ("vellicor_csv_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
};

TEST_F(CsvImportFileTest, ReadsACodePage1252File)
{
    const std::string path = (dir / "parts.csv").string();
    ASSERT_EQ(WriteFileAtomically(path, "Name,Mate\r\nT\xFCr,St\xE4hl\r\n"), FileError::None);
    CCsvImport import(kNameLW, {"A1", "steel", "100"}, "Import Parts", path, "Part_Csv", settings, messages);

    EXPECT_EQ(import.ReadFile(), FileError::None);
    import.Open();
    import.SetDefaultText(0, "-");
    EXPECT_TRUE(import.Accept());
    EXPECT_THAT(import.Rows(), ElementsAre("-::T\xC3\xBCr::St\xC3\xA4hl::"));
    EXPECT_EQ(import.Caption(), "Import Parts");
    EXPECT_THAT(import.Examples(), ElementsAre("A1", "steel", "100"));
}

TEST_F(CsvImportFileTest, MissingFileGivesAnEmptyPreviewAndAMessageOnOk)
{
    const std::string path = (dir / "missing.csv").string();
    Save("0::1::2::", "a::::::", ";", "0::5::");
    CCsvImport import(kNameLW, {}, "Import Stock", path, kSection, settings, messages);

    EXPECT_EQ(import.ReadFile(), FileError::NotFound);
    import.Open();
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_THAT(import.PreviewRows(), IsEmpty());
    EXPECT_EQ(import.PreviewColumnCount(), 0);
    EXPECT_EQ(import.SkipLines(), 0);
    EXPECT_THAT(import.Examples(), ElementsAre("", "", ""));

    EXPECT_FALSE(import.Accept());
    ASSERT_THAT(messages.Ids(), ElementsAre(ids::FileNotFound));
    EXPECT_EQ(messages.shown[0].args, Strings{path});
}

} // namespace
} // namespace vellicor

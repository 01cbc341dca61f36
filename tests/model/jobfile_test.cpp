#include "model/jobfile.h"

#include "model/vellicordoc.h"
#include "platform/memorysettingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "support/samplejob.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>

namespace vellicor {
namespace {

// Job file bytes spelled out by hand, independent of the writer.
class Raw {
public:
    Raw& B(int v)
    {
        s += static_cast<char>(v);
        return *this;
    }
    Raw& W(unsigned v) { return B(v & 0xFF).B((v >> 8) & 0xFF); }
    Raw& I(std::int32_t v) { return W(static_cast<std::uint32_t>(v) & 0xFFFF).W(static_cast<std::uint32_t>(v) >> 16); }
    Raw& D(double v)
    {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            B(static_cast<int>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    // A short single-byte text.
    Raw& S(const std::string& text)
    {
        B(static_cast<int>(text.size()));
        s += text;
        return *this;
    }
    Raw& Add(const std::string& bytes)
    {
        s += bytes;
        return *this;
    }
    Raw& NewClass(const std::string& name) { return W(0xFFFF).W(1).W(static_cast<unsigned>(name.size())).Add(name); }
    Raw& Coil(const CCoil& c)
    {
        return S(c.Name).S(c.Material).D(c.Width).D(c.Thickness).D(c.WeightPerCoil).I(c.Qty).D(c.CostPerKg)
            .D(c.LeftTrim).D(c.RightTrim).S(c.Remarks);
    }
    Raw& Part(const CCoilPart& p)
    {
        return S(p.Name).S(p.Material).D(p.Thickness).D(p.Length).D(p.Width).D(p.Quantity).S(p.Remarks)
            .W(static_cast<unsigned>(p.Rotation)).W(static_cast<unsigned>(p.Priority)).W(static_cast<unsigned>(p.Kind));
    }
    Raw& Settings(const CSettings& st)
    {
        return W(static_cast<unsigned>(st.MaxKnives)).D(st.Kerf).D(st.MinOffCut).D(st.MinPatWt).D(st.CoilChangCost)
            .D(st.MinKnifeSettCost).I(st.MaxDifSlits).D(st.MinCutWidth);
    }
    // Version 218, QtyByLength 1, InventoryUpdated 0, empty OrderNo.
    Raw& Header() { return W(218).W(1).W(0).S(""); }

    std::string s;
};

const MemorySettingsStore kNoDefaults;

std::unique_ptr<CVellicorDoc> Parse(const std::string& bytes)
{
    return ParseJobFile(bytes, kNoDefaults);
}

const CCoil kCoil1("C1", 1250.0, "crca", 1.5, 10000.0, 3, "prime", 0.95, 10.0, 15.0);
const CCoil kCoil2("C2", 1000.0, "crca", 2.0, 8000.0, 1, "", 0.9, 5.0, 5.0);
const CCoilPart kPart("P1", "crca", 1.5, 300.0, 500.0, 10, "door", 1, 0);
const CCoilPart kSlit("S1", "crca", 1.5, 120.0, 2000.0, "", 2);
const CCoilPart kFiller("F1", "crca", 1.5, 50.0, -1.0, "", 1);

TEST(JobFileBytes, TwoCoilsAndOnePart)
{
    CVellicorDoc doc;
    doc.AddCoil(std::make_unique<CCoil>(kCoil1));
    doc.AddCoil(std::make_unique<CCoil>(kCoil2));
    doc.AddPart(std::make_unique<CCoilPart>(kPart));
    const std::string expected = Raw()
                                     .Header()
                                     .W(2)
                                     .NewClass("CCoil")
                                     .Coil(kCoil1)
                                     .W(0x8001)
                                     .Coil(kCoil2)
                                     .W(1)
                                     .NewClass("CCoilPart")
                                     .Part(kPart)
                                     .W(0)
                                     .W(0)
                                     .Settings(CSettings())
                                     .W(0)
                                     .s;
    EXPECT_EQ(JobFileBytes(doc), expected);
    EXPECT_EQ(JobFileBytes(doc), JobFileBytes(doc));
}

TEST(JobFileBytes, CCoilPartIsIntroducedByTheFirstRequirementOfAnyKind)
{
    CVellicorDoc slitsOnly;
    slitsOnly.AddCoil(std::make_unique<CCoil>(kCoil1));
    slitsOnly.AddSlit(std::make_unique<CCoilPart>(kSlit));
    slitsOnly.AddSlit(std::make_unique<CCoilPart>(kFiller));
    EXPECT_EQ(JobFileBytes(slitsOnly), Raw()
                                           .Header()
                                           .W(1)
                                           .NewClass("CCoil")
                                           .Coil(kCoil1)
                                           .W(0)
                                           .W(1)
                                           .NewClass("CCoilPart")
                                           .Part(kSlit)
                                           .W(1)
                                           .W(0x8003)
                                           .Part(kFiller)
                                           .Settings(CSettings())
                                           .W(0)
                                           .s);

    // With no coils and no parts the first slit's class takes index 1.
    CVellicorDoc noCoils;
    noCoils.AddSlit(std::make_unique<CCoilPart>(kSlit));
    noCoils.AddSlit(std::make_unique<CCoilPart>(kSlit));
    noCoils.AddSlit(std::make_unique<CCoilPart>(kFiller));
    EXPECT_EQ(JobFileBytes(noCoils), Raw()
                                         .Header()
                                         .W(0)
                                         .W(0)
                                         .W(2)
                                         .NewClass("CCoilPart")
                                         .Part(kSlit)
                                         .W(0x8001)
                                         .Part(kSlit)
                                         .W(1)
                                         .W(0x8001)
                                         .Part(kFiller)
                                         .Settings(CSettings())
                                         .W(0)
                                         .s);
}

TEST(JobFileBytes, LayoutsReferToRecordsByName)
{
    auto doc = test::MakeSampleJob();
    const std::string bytes = JobFileBytes(*doc);
    const std::string layouts = Raw()
                                    .W(2)
                                    .S("C1")
                                    .D(937.5)
                                    .D(0.5)
                                    .W(3)
                                    .S("P1")
                                    .W(1)
                                    .S("S1")
                                    .W(0)
                                    .S("F1")
                                    .W(0)
                                    .S("C2")
                                    .D(1200.0 / 3.0)
                                    .D(0.5)
                                    .W(2)
                                    .S("S1")
                                    .W(0)
                                    .S("S1")
                                    .W(0)
                                    .s;
    ASSERT_GT(bytes.size(), layouts.size());
    EXPECT_EQ(bytes.substr(bytes.size() - layouts.size()), layouts);
    EXPECT_EQ(bytes.substr(0, 10), Raw().W(218).W(0).W(0).S("A12").s);
}

TEST(JobFileBytes, StringLengthPrefixes)
{
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Raw().B(0).s},
        {254, Raw().B(254).s},
        {255, Raw().B(0xFF).W(255).s},
        {300, Raw().B(0xFF).W(300).s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        CCoil coil = kCoil1;
        coil.Remarks = std::string(c.length, 'r');
        CVellicorDoc doc;
        doc.AddCoil(std::make_unique<CCoil>(coil));
        coil.Remarks.clear();
        std::string expected = Raw().Header().W(1).NewClass("CCoil").Coil(coil).s;
        expected.pop_back(); // the empty remark's prefix
        expected += c.prefix + std::string(c.length, 'r');
        expected += Raw().W(0).W(0).W(0).Settings(CSettings()).W(0).s;
        const std::string bytes = JobFileBytes(doc);
        EXPECT_EQ(bytes, expected);
        const auto back = Parse(bytes);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->GetCoil(0)->Remarks, std::string(c.length, 'r'));
    }
}

TEST(ParseJobFile, ReadsWhatWasWritten)
{
    auto doc = test::MakeSampleJob();
    doc->InventoryUpdated = 1;
    doc->Coils[0]->Remarks = "\xE2\x82\xAC 12 \xC3\xA9t\xC3\xA9";
    const std::string bytes = JobFileBytes(*doc);
    const auto back = Parse(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(JobFileBytes(*back), bytes);
    EXPECT_FALSE(back->IsModified());
    EXPECT_EQ(back->OrderNo, "A12");
    EXPECT_EQ(back->QtyByLength, 0);
    EXPECT_EQ(back->InventoryUpdated, 1);
    EXPECT_EQ(back->Coils[0]->Remarks, doc->Coils[0]->Remarks);
    EXPECT_EQ(back->Settings, doc->Settings);
    ASSERT_EQ(back->GetFillerCount(), 1);
    ASSERT_EQ(back->Layouts.GetCount(), 2);
    const CLayout& first = *back->Layouts.GetAt(0);
    EXPECT_EQ(first.Coil, back->GetCoil(0));
    ASSERT_EQ(first.GetSlitCount(), 3);
    EXPECT_EQ(first.GetSlit(0)->Part, back->GetPart(0));
    EXPECT_EQ(first.GetSlit(0)->Rotated, 1);
    EXPECT_EQ(first.GetSlit(2)->Part, back->GetFiller(0));
    EXPECT_EQ(back->Layouts.GetAt(1)->Weight, 1200.0 / 3.0);
}

TEST(ParseJobFile, IgnoresBytesAfterTheLayouts)
{
    const std::string bytes = JobFileBytes(*test::MakeSampleJob());
    const auto back = Parse(bytes + "trailing");
    ASSERT_TRUE(back);
    EXPECT_EQ(JobFileBytes(*back), bytes);
}

TEST(ParseJobFile, StoredSettingsReplaceTheDefaults)
{
    MemorySettingsStore defaults;
    defaults.WriteString("SettingDef", "Kerf", "2.5");
    defaults.WriteInt("SettingDef", "MaxKnives", 4);
    CVellicorDoc doc;
    const auto back = ParseJobFile(JobFileBytes(doc), defaults);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Settings, CSettings());
}

TEST(ParseJobFile, ReadsRecordsAsStored)
{
    CCoil coil = kCoil1;
    coil.Material = " CRCA ";
    CCoilPart filler = kFiller;
    filler.Name = "F9";
    const std::string bytes = Raw()
                                  .Header()
                                  .W(1)
                                  .NewClass("CCoil")
                                  .Coil(coil)
                                  .W(0)
                                  .W(1)
                                  .NewClass("CCoilPart")
                                  .Part(filler)
                                  .W(0)
                                  .Settings(CSettings())
                                  .W(0)
                                  .s;
    const auto doc = Parse(bytes);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetCoil(0)->Material, " CRCA ");
    ASSERT_EQ(doc->GetSlitCount(), 1);
    EXPECT_EQ(doc->GetSlit(0)->Kind, KindFiller);
    EXPECT_EQ(doc->GetFillerCount(), 0);
}

TEST(ParseJobFile, OlderVersions)
{
    struct Case {
        unsigned version;
        bool hasInventoryFields;
        bool hasWordAfterLayoutCount;
    };
    const Case cases[] = {
        {218, true, false},
        {210, true, false},
        {209, false, false},
        {112, false, false},
        {111, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        Raw raw;
        raw.W(c.version).W(1);
        if (c.hasInventoryFields)
            raw.W(1).S("A7");
        raw.W(1).NewClass("CCoil").Coil(kCoil1).W(1).NewClass("CCoilPart").Part(kPart).W(0).W(0);
        raw.Settings(CSettings()).W(1);
        if (c.hasWordAfterLayoutCount)
            raw.W(0xABCD);
        raw.S("C1").D(500.0).D(0.0).W(1).S("P1").W(0);
        const auto doc = Parse(raw.s);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->InventoryUpdated, c.hasInventoryFields ? 1 : 0);
        EXPECT_EQ(doc->OrderNo, c.hasInventoryFields ? "A7" : "");
        ASSERT_EQ(doc->Layouts.GetCount(), 1);
        EXPECT_EQ(doc->Layouts.GetAt(0)->Weight, 500.0);
        EXPECT_EQ(doc->Layouts.GetAt(0)->GetSlit(0)->Part, doc->GetPart(0));
    }
}

TEST(ParseJobFile, SixteenBitFieldsSurviveModulo65536)
{
    CVellicorDoc doc;
    doc.AddCoil(std::make_unique<CCoil>(kCoil1));
    auto part = std::make_unique<CCoilPart>(kPart);
    part->Rotation = 65537;
    part->Priority = -1;
    part->Kind = 65536 + KindPart;
    doc.AddPart(std::move(part));
    doc.Settings.MaxKnives = 70000;
    doc.QtyByLength = 65536;
    doc.InventoryUpdated = 65537;
    // 65538 layouts, the first with 65537 positions, keep two layouts and one position.
    CSlitPosList many;
    for (int i = 0; i < 65537; ++i)
        many.push_back(std::make_unique<CLayoutSlit>(65536 + 1, doc.GetPart(0)));
    doc.Layouts.Add(std::make_unique<CLayout>(doc.GetCoil(0), std::move(many), 100.0, 0.0));
    for (int i = 1; i < 65538; ++i)
        doc.Layouts.Add(std::make_unique<CLayout>(doc.GetCoil(0), CSlitPosList(), 200.0 + i, 0.0));

    const auto back = Parse(JobFileBytes(doc));
    ASSERT_TRUE(back);
    const CCoilPart& p = *back->GetPart(0);
    EXPECT_EQ(p.Rotation, 1);
    EXPECT_EQ(p.Priority, 65535);
    EXPECT_EQ(p.Kind, KindPart);
    EXPECT_EQ(back->Settings.MaxKnives, 70000 - 65536);
    EXPECT_EQ(back->QtyByLength, 0);
    EXPECT_EQ(back->InventoryUpdated, 1);
    ASSERT_EQ(back->Layouts.GetCount(), 2);
    ASSERT_EQ(back->Layouts.GetAt(0)->GetSlitCount(), 1);
    EXPECT_EQ(back->Layouts.GetAt(0)->GetSlit(0)->Rotated, 1);
    EXPECT_EQ(back->Layouts.GetAt(1)->Weight, 201.0);
}

TEST(ParseJobFile, DropsLayoutsThatNameMissingRecords)
{
    Raw raw;
    raw.Header().W(1).NewClass("CCoil").Coil(kCoil1).W(1).NewClass("CCoilPart").Part(kPart).W(0).W(0);
    raw.Settings(CSettings()).W(4);
    raw.S("C9").D(100.0).D(0.0).W(1).S("P1").W(0);
    raw.S("C1").D(200.0).D(0.0).W(2).S("P1").W(0).S("P9").W(0);
    raw.S(" C1 ").D(300.0).D(0.0).W(1).S("P1 ").W(1);
    raw.S("C1").D(400.0).D(0.0).W(0);
    const auto doc = Parse(raw.s);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetCoilCount(), 1);
    EXPECT_EQ(doc->GetPartCount(), 1);
    ASSERT_EQ(doc->Layouts.GetCount(), 2);
    EXPECT_EQ(doc->Layouts.GetAt(0)->Weight, 300.0);
    EXPECT_EQ(doc->Layouts.GetAt(0)->GetSlit(0)->Part, doc->GetPart(0));
    EXPECT_EQ(doc->Layouts.GetAt(1)->Weight, 400.0);
}

TEST(ParseJobFile, RefusesRecordsThatDoNotBelongInTheirArray)
{
    const std::string coilIntro = Raw().Header().W(1).NewClass("CCoil").Coil(kCoil1).s;
    const std::string rest = Raw().W(0).W(0).Settings(CSettings()).W(0).s;
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"a part among the coils", Raw().Header().W(1).NewClass("CCoilPart").Part(kPart).s + rest + Raw().W(0).s},
        {"a coil among the parts", coilIntro + Raw().W(1).W(0x8001).Coil(kCoil2).W(0).s + rest},
        {"a null part", coilIntro + Raw().W(1).W(0).W(0).s + rest},
        {"a second reference to the coil", coilIntro + Raw().W(1).W(2).W(0).s + rest},
        {"no bytes", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Parse(c.bytes));
    }
}

TEST(ParseJobFile, DamagedFilesNeverCrash)
{
    auto doc = test::MakeSampleJob();
    doc->Coils[1]->Name = "\xE9\x8B\xBC C2";
    doc->Layouts.GetAt(1)->Coil = doc->GetCoil(1);
    const std::string bytes = JobFileBytes(*doc);
    ASSERT_TRUE(Parse(bytes));

    // Every field is needed, so no cut-short file opens.
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(Parse(bytes.substr(0, n))) << "cut at " << n;

    int opened = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (int mask : {0x01, 0x80, 0xFF}) {
            std::string damaged = bytes;
            damaged[i] = static_cast<char>(damaged[i] ^ mask);
            if (const auto back = Parse(damaged)) {
                ++opened;
                EXPECT_TRUE(Parse(JobFileBytes(*back)));
            }
        }
    }
    EXPECT_GT(opened, 0);
}

class JobFileOnDisk : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path()
            / ("vellicor-jobfile-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

TEST_F(JobFileOnDisk, SaveAndLoadKeepTextsOutsideCodePage1252)
{
    auto doc = test::MakeSampleJob();
    doc->Coils[0]->Name = "\xE9\x8B\xBC-1";                // a CJK character
    doc->Parts[0]->Name = "\xCE\xA9-plate";                 // Greek capital omega
    doc->OrderNo = "\xD0\x97\xD0\xB0\xD0\xBA\xD0\xB0\xD0\xB7 7"; // Cyrillic
    doc->SetModifiedFlag(true);
    const std::string path = PathOf("job.vcj");
    ASSERT_EQ(SaveJobFile(*doc, path), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(doc->GetTitle(), "job.vcj");

    const LoadedJob loaded = LoadJobFile(path, kNoDefaults);
    ASSERT_TRUE(loaded.doc);
    EXPECT_EQ(loaded.errorId, 0);
    EXPECT_EQ(loaded.doc->GetCoil(0)->Name, "\xE9\x8B\xBC-1");
    EXPECT_EQ(loaded.doc->GetPart(0)->Name, "\xCE\xA9-plate");
    EXPECT_EQ(loaded.doc->OrderNo, doc->OrderNo);
    ASSERT_EQ(loaded.doc->Layouts.GetCount(), 2);
    EXPECT_EQ(loaded.doc->Layouts.GetAt(0)->Coil, loaded.doc->GetCoil(0));
    EXPECT_EQ(loaded.doc->Layouts.GetAt(0)->GetSlit(0)->Part, loaded.doc->GetPart(0));
    EXPECT_EQ(loaded.doc->GetPathName(), path);
    EXPECT_EQ(loaded.doc->GetTitle(), "job.vcj");
    EXPECT_FALSE(loaded.doc->IsModified());
}

TEST_F(JobFileOnDisk, OpenErrors)
{
    {
        std::ofstream(PathOf("bad.vcj"), std::ios::binary) << "not a job";
    }
    struct Case {
        std::string path;
        int errorId;
    };
    const Case cases[] = {
        {PathOf("missing.vcj"), ids::FileNotFound},
        {PathOf("nodir/job.vcj"), ids::FileNotFound},
        {dir_.string(), ids::ReadAccessDenied},
        {PathOf("bad.vcj"), ids::UnexpectedFileFormat},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const LoadedJob loaded = LoadJobFile(c.path, kNoDefaults);
        EXPECT_FALSE(loaded.doc);
        EXPECT_EQ(loaded.errorId, c.errorId);
    }
    EXPECT_EQ(Strings().Format(ids::FileNotFound, {"x.vcj"}).rfind("x.vcj\nCannot find this file.", 0), 0u);
}

TEST_F(JobFileOnDisk, FailedSaveLeavesTheDocumentModifiedAndTheOldFileAlone)
{
    auto doc = test::MakeSampleJob();
    std::filesystem::create_directories(dir_ / "taken.vcj");
    struct Case {
        std::string path;
        int errorId;
    };
    const Case cases[] = {
        {PathOf("nodir/job.vcj"), ids::FileNotFound},
        {PathOf("taken.vcj"), ids::WriteAccessDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        doc->SetModifiedFlag(false);
        EXPECT_EQ(SaveJobFile(*doc, c.path), c.errorId);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc->GetPathName(), "");
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken.vcj"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

TEST_F(JobFileOnDisk, SaveReplacesTheOldFile)
{
    const std::string path = PathOf("job.vcj");
    {
        std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    }
    auto doc = test::MakeSampleJob();
    ASSERT_EQ(SaveJobFile(*doc, path), 0);
    std::ifstream in(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, JobFileBytes(*doc));
}

} // namespace
} // namespace vellicor

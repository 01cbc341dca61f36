#pragma once

#include "model/vellicordoc.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/shell.h"
#include "platform/safefile.h"
#include "support/recordingshell.h"
#include "units/units.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace vellicor::test {

struct FixedPrinter : IPrinterMetrics {
    explicit FixedPrinter(int width = 0) : width(width) {}
    int PageWidthTwips() const override { return width; }
    int width;
};

struct FixedPaths : IPaths {
    explicit FixedPaths(std::string data) : data(std::move(data)) {}
    std::string InstallDir() const override { return data; }
    std::string DataDir() const override { return data; }
    std::string data;
};

// A fresh folder per test, removed afterwards; millimetres with three decimals.
class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUnitSettings(UnitSettings{});
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("vellicor-report-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Read(const std::string& path)
    {
        std::string content;
        EXPECT_EQ(ReadWholeFile(path, content), FileError::None) << path;
        return content;
    }

    std::filesystem::path dir_;
};

inline CCoil* AddCoil(CVellicorDoc& doc, const std::string& name, double width, double thickness, double weight,
                      int qty, double leftTrim = 0, double rightTrim = 0, const std::string& material = "crca",
                      const std::string& remarks = "")
{
    doc.AddCoil(std::make_unique<CCoil>(name, width, material, thickness, weight, qty, remarks, 1.2, leftTrim,
                                        rightTrim));
    return doc.Coils.back().get();
}

inline CCoilPart* AddPart(CVellicorDoc& doc, const std::string& name, double length, double width, int count,
                          double thickness = 1.5, const std::string& material = "crca")
{
    doc.AddPart(std::make_unique<CCoilPart>(name, material, thickness, length, width, count, "", 1, 0));
    return doc.Parts.back().get();
}

// A negative weight makes a filler.
inline CCoilPart* AddSlit(CVellicorDoc& doc, const std::string& name, double width, double weight,
                          double thickness = 1.5, const std::string& material = "crca")
{
    auto slit = std::make_unique<CCoilPart>(name, material, thickness, width, weight, "", 0);
    CCoilPart* p = slit.get();
    doc.AddSlit(std::move(slit));
    return p;
}

struct Position {
    CCoilPart* part;
    int rotated = 0;
};

inline void AddLayout(CVellicorDoc& doc, CCoil* coil, std::vector<Position> positions, double weight,
                      double kerf = 0)
{
    CSlitPosList list;
    for (const auto& p : positions)
        list.push_back(std::make_unique<CLayoutSlit>(p.rotated, p.part));
    doc.GetLayouts().Add(std::make_unique<CLayout>(coil, std::move(list), weight, kerf));
}

// Two coils (C2 unused), a part, a slit and a filler, cut in two layouts from C1.
inline void BuildSampleJob(CVellicorDoc& doc)
{
    CCoil* c1 = AddCoil(doc, "C1", 1250, 1.5, 10000, 3, 10, 15, "CRCA ", "main stock");
    AddCoil(doc, "C2", 1000, 1.5, 8000, 2);
    CCoilPart* p1 = AddPart(doc, "P1", 300, 500, 20);
    CCoilPart* s1 = AddSlit(doc, "S1", 250, 2000);
    CCoilPart* f1 = AddSlit(doc, "F1", 50, -1);
    doc.GetSettings().Kerf = 1.5;
    AddLayout(doc, c1, {{p1}, {p1}, {s1}, {s1}, {f1}}, 5000);
    AddLayout(doc, c1, {{s1}, {s1}, {s1}, {s1}}, 2500);
}

// What a report shows: per section heading, its rows with the cells joined by "|", and "--" where a
// table block ends. Header rows are rows too.
struct RtfSection {
    std::string heading;
    std::vector<std::string> lines;
};

inline std::vector<RtfSection> ParseSections(const std::string& rtf)
{
    const std::string headingStart = "\\pard\\keepn\\s3\\sb240\\sa60\\b\\f0\\fs26";
    const std::string headingEnd = "\\par\\pard\\b0\\f1\\fs20";
    const std::string tableEnd = "\\pard\\f0\\fs20";
    std::vector<RtfSection> sections;
    std::string row;
    bool inRow = false;
    std::size_t i = 0;
    while (i < rtf.size()) {
        if (rtf.compare(i, headingStart.size(), headingStart) == 0) {
            const std::size_t from = i + headingStart.size();
            const std::size_t to = rtf.find(headingEnd, from);
            sections.push_back({rtf.substr(from, to - from), {}});
            i = to + headingEnd.size();
        } else if (rtf.compare(i, tableEnd.size(), tableEnd) == 0) {
            if (!sections.empty())
                sections.back().lines.push_back("--");
            i += tableEnd.size();
        } else if (rtf.compare(i, 2, "\\q") == 0 && i + 3 < rtf.size() && rtf[i + 3] == ' ') {
            const std::size_t from = i + 4;
            const std::size_t to = rtf.find("\\cell ", from);
            row += (inRow ? "|" : "") + rtf.substr(from, to - from);
            inRow = true;
            i = to + 6;
        } else if (rtf.compare(i, 4, "\\row") == 0 && (i + 4 == rtf.size() || rtf[i + 4] != 'd')) {
            if (!sections.empty())
                sections.back().lines.push_back(row);
            row.clear();
            inRow = false;
            i += 4;
        } else {
            ++i;
        }
    }
    return sections;
}

inline const RtfSection* FindSection(const std::vector<RtfSection>& sections, const std::string& heading)
{
    for (const auto& s : sections)
        if (s.heading == heading)
            return &s;
    return nullptr;
}

} // namespace vellicor::test

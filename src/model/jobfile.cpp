#include "model/jobfile.h"

#include "model/archive.h"
#include "model/vellicordoc.h"
#include "platform/safefile.h"
#include "platform/stringids.h"

#include <array>

namespace vellicor {
namespace {

constexpr std::string_view kCoilClass = "CCoil";
constexpr std::string_view kPartClass = "CCoilPart";
constexpr std::array<std::string_view, 2> kClasses{kCoilClass, kPartClass};

// The fewest bytes a record can take, tag included, to check counts before reading.
constexpr std::size_t kMinCoilBytes = 2 + 1 + 1 + 3 * 8 + 4 + 3 * 8 + 1;
constexpr std::size_t kMinPartBytes = 2 + 1 + 1 + 4 * 8 + 1 + 3 * 2;
constexpr std::size_t kMinLayoutBytes = 1 + 2 * 8 + 2;
constexpr std::size_t kMinPositionBytes = 1 + 2;

std::uint16_t Low16(int value)
{
    return static_cast<std::uint16_t>(value);
}

void WriteCoil(ArchiveWriter& w, const CCoil& c)
{
    w.WriteObjectTag(kCoilClass);
    w.WriteString(c.Name);
    w.WriteString(c.Material);
    w.WriteDouble(c.Width);
    w.WriteDouble(c.Thickness);
    w.WriteDouble(c.WeightPerCoil);
    w.WriteInt(c.Qty);
    w.WriteDouble(c.CostPerKg);
    w.WriteDouble(c.LeftTrim);
    w.WriteDouble(c.RightTrim);
    w.WriteString(c.Remarks);
}

void WritePart(ArchiveWriter& w, const CCoilPart& p)
{
    w.WriteObjectTag(kPartClass);
    w.WriteString(p.Name);
    w.WriteString(p.Material);
    w.WriteDouble(p.Thickness);
    w.WriteDouble(p.Length);
    w.WriteDouble(p.Width);
    w.WriteDouble(p.Quantity);
    w.WriteString(p.Remarks);
    w.WriteWord(Low16(p.Rotation));
    w.WriteWord(Low16(p.Priority));
    w.WriteWord(Low16(p.Kind));
}

void WriteParts(ArchiveWriter& w, const std::vector<std::unique_ptr<CCoilPart>>& parts)
{
    w.WriteCount(static_cast<std::uint32_t>(parts.size()));
    for (const auto& p : parts)
        WritePart(w, *p);
}

void WriteSettings(ArchiveWriter& w, const CSettings& s)
{
    w.WriteWord(Low16(s.MaxKnives));
    w.WriteDouble(s.Kerf);
    w.WriteDouble(s.MinOffCut);
    w.WriteDouble(s.MinPatWt);
    w.WriteDouble(s.CoilChangCost);
    w.WriteDouble(s.MinKnifeSettCost);
    w.WriteInt(s.MaxDifSlits);
    w.WriteDouble(s.MinCutWidth);
}

// The counts are stored modulo 65536; only as many entries as the count says are written, so that
// the file stays readable.
void WriteLayouts(ArchiveWriter& w, const CLayoutList& layouts)
{
    const std::uint16_t n = Low16(layouts.GetCount());
    w.WriteWord(n);
    for (int i = 0; i < n; ++i) {
        const CLayout& layout = *layouts.GetAt(i);
        w.WriteString(layout.Coil ? layout.Coil->Name : std::string());
        w.WriteDouble(layout.Weight);
        w.WriteDouble(layout.Kerf);
        const std::uint16_t m = Low16(layout.GetSlitCount());
        w.WriteWord(m);
        for (int k = 0; k < m; ++k) {
            const CLayoutSlit& slit = *layout.GetSlit(k);
            w.WriteString(slit.Part ? slit.Part->Name : std::string());
            w.WriteWord(Low16(slit.Rotated));
        }
    }
}

class JobReader {
public:
    JobReader(std::string_view bytes, CVellicorDoc& doc) : r_(bytes), doc_(doc) {}

    bool Read()
    {
        std::uint16_t qtyByLength = 0;
        if (!r_.ReadWord(version_) || !r_.ReadWord(qtyByLength))
            return false;
        doc_.QtyByLength = qtyByLength;
        if (version_ >= 210) {
            std::uint16_t inventoryUpdated = 0;
            if (!r_.ReadWord(inventoryUpdated) || !r_.ReadString(doc_.OrderNo))
                return false;
            doc_.InventoryUpdated = inventoryUpdated;
        }
        return ReadCoils() && ReadParts(doc_.Parts) && ReadParts(doc_.Slits) && ReadParts(doc_.Fillers)
            && ReadSettings() && ReadLayouts();
    }

private:
    // Each element is a new object of the array's own class: a null, a second reference or a
    // record of the other class would leave the array with a record it cannot hold.
    bool ReadNewObject(std::string_view className)
    {
        ObjectTag tag;
        return r_.ReadObjectTag(kClasses, tag) && tag.kind == ObjectTag::Kind::NewObject
            && kClasses[tag.classIndex] == className;
    }

    bool ReadCoils()
    {
        std::uint32_t n = 0;
        if (!r_.ReadCount(n, kMinCoilBytes))
            return false;
        for (std::uint32_t i = 0; i < n; ++i) {
            auto c = std::make_unique<CCoil>();
            std::int32_t qty = 0;
            if (!ReadNewObject(kCoilClass) || !r_.ReadString(c->Name) || !r_.ReadString(c->Material)
                || !r_.ReadDouble(c->Width) || !r_.ReadDouble(c->Thickness) || !r_.ReadDouble(c->WeightPerCoil)
                || !r_.ReadInt(qty) || !r_.ReadDouble(c->CostPerKg) || !r_.ReadDouble(c->LeftTrim)
                || !r_.ReadDouble(c->RightTrim) || !r_.ReadString(c->Remarks))
                return false;
            c->Qty = qty;
            doc_.Coils.push_back(std::move(c));
        }
        return true;
    }

    bool ReadParts(std::vector<std::unique_ptr<CCoilPart>>& parts)
    {
        std::uint32_t n = 0;
        if (!r_.ReadCount(n, kMinPartBytes))
            return false;
        for (std::uint32_t i = 0; i < n; ++i) {
            auto p = std::make_unique<CCoilPart>();
            std::uint16_t rotation = 0;
            std::uint16_t priority = 0;
            std::uint16_t kind = 0;
            if (!ReadNewObject(kPartClass) || !r_.ReadString(p->Name) || !r_.ReadString(p->Material)
                || !r_.ReadDouble(p->Thickness) || !r_.ReadDouble(p->Length) || !r_.ReadDouble(p->Width)
                || !r_.ReadDouble(p->Quantity) || !r_.ReadString(p->Remarks) || !r_.ReadWord(rotation)
                || !r_.ReadWord(priority) || !r_.ReadWord(kind))
                return false;
            p->Rotation = rotation;
            p->Priority = priority;
            p->Kind = kind;
            parts.push_back(std::move(p));
        }
        return true;
    }

    bool ReadSettings()
    {
        CSettings& s = doc_.Settings;
        std::uint16_t maxKnives = 0;
        std::int32_t maxDifSlits = 0;
        if (!r_.ReadWord(maxKnives) || !r_.ReadDouble(s.Kerf) || !r_.ReadDouble(s.MinOffCut)
            || !r_.ReadDouble(s.MinPatWt) || !r_.ReadDouble(s.CoilChangCost) || !r_.ReadDouble(s.MinKnifeSettCost)
            || !r_.ReadInt(maxDifSlits) || !r_.ReadDouble(s.MinCutWidth))
            return false;
        s.MaxKnives = maxKnives;
        s.MaxDifSlits = maxDifSlits;
        return true;
    }

    bool ReadLayouts()
    {
        std::uint16_t n = 0;
        if (!r_.ReadWord(n))
            return false;
        std::uint16_t ignored = 0;
        if (version_ < 112 && !r_.ReadWord(ignored))
            return false;
        if (!r_.Require(n, kMinLayoutBytes))
            return false;
        for (std::uint16_t i = 0; i < n; ++i) {
            auto layout = std::make_unique<CLayout>();
            std::string coilName;
            std::uint16_t m = 0;
            if (!r_.ReadString(coilName) || !r_.ReadDouble(layout->Weight) || !r_.ReadDouble(layout->Kerf)
                || !r_.ReadWord(m) || !r_.Require(m, kMinPositionBytes))
                return false;
            layout->Coil = doc_.FindCoilByName(coilName);
            bool resolved = layout->Coil != nullptr;
            for (std::uint16_t k = 0; k < m; ++k) {
                std::string partName;
                std::uint16_t rotated = 0;
                if (!r_.ReadString(partName) || !r_.ReadWord(rotated))
                    return false;
                CCoilPart* part = doc_.FindPartByName(partName);
                resolved = resolved && part != nullptr;
                if (resolved)
                    layout->AddSlit(std::make_unique<CLayoutSlit>(rotated, part));
            }
            // Only a file from elsewhere can name what is not there; its inputs stay usable.
            if (resolved)
                doc_.Layouts.Add(std::move(layout));
        }
        return true;
    }

    ArchiveReader r_;
    CVellicorDoc& doc_;
    std::uint16_t version_ = 0;
};

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string JobFileBytes(const CVellicorDoc& doc)
{
    ArchiveWriter w;
    w.WriteWord(kJobFileVersion);
    w.WriteWord(Low16(doc.QtyByLength));
    w.WriteWord(Low16(doc.InventoryUpdated));
    w.WriteString(doc.OrderNo);
    w.WriteCount(static_cast<std::uint32_t>(doc.Coils.size()));
    for (const auto& c : doc.Coils)
        WriteCoil(w, *c);
    WriteParts(w, doc.Parts);
    WriteParts(w, doc.Slits);
    WriteParts(w, doc.Fillers);
    WriteSettings(w, doc.Settings);
    WriteLayouts(w, doc.Layouts);
    return w.TakeBytes();
}

std::unique_ptr<CVellicorDoc> ParseJobFile(std::string_view bytes, const ISettingsStore& defaults)
{
    auto doc = std::make_unique<CVellicorDoc>(defaults);
    if (!JobReader(bytes, *doc).Read())
        return nullptr;
    return doc;
}

int SaveJobFile(CVellicorDoc& doc, const std::string& path)
{
    const int error = SaveErrorId(WriteFileAtomically(path, JobFileBytes(doc)));
    if (error != 0) {
        doc.SetModifiedFlag(true);
        return error;
    }
    doc.SetPathName(path);
    doc.SetTitle(FileNameOf(path));
    doc.SetModifiedFlag(false);
    return 0;
}

int SaveErrorId(FileError error)
{
    switch (error) {
    case FileError::None:
        return 0;
    case FileError::NotFound:
        return ids::FileNotFound;
    case FileError::AccessDenied:
        return ids::WriteAccessDenied;
    case FileError::DiskFull:
        return ids::DiskFull;
    case FileError::Other:
        return ids::WriteError;
    }
    return ids::FailedToSaveDocument;
}

int OpenErrorId(FileError error)
{
    switch (error) {
    case FileError::None:
        return 0;
    case FileError::NotFound:
        return ids::FileNotFound;
    case FileError::AccessDenied:
        return ids::ReadAccessDenied;
    case FileError::DiskFull:
    case FileError::Other:
        return ids::ReadError;
    }
    return ids::FailedToOpenDocument;
}

LoadedJob LoadJobFile(const std::string& path, const ISettingsStore& defaults)
{
    std::string bytes;
    if (const int error = OpenErrorId(ReadWholeFile(path, bytes)); error != 0)
        return {nullptr, error};
    auto doc = ParseJobFile(bytes, defaults);
    if (!doc)
        return {nullptr, ids::UnexpectedFileFormat};
    doc->SetPathName(path);
    doc->SetTitle(FileNameOf(path));
    doc->SetModifiedFlag(false);
    return {std::move(doc), 0};
}

} // namespace vellicor

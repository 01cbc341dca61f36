#include "inventory/bookingkey.h"

#include "inventory/booking.h"
#include "model/vellicordoc.h"

#include <bit>
#include <cstdint>
#include <cstdio>

namespace vellicor {
namespace {

// Two FNV-1a hashes with different offsets make a 128-bit digest; the key needs no secrecy.
class Digest {
public:
    void Add(std::string_view text)
    {
        AddNumber(text.size());
        for (unsigned char c : text)
            AddByte(c);
    }
    void AddNumber(std::uint64_t value)
    {
        for (int i = 0; i < 8; ++i)
            AddByte(static_cast<unsigned char>(value >> (8 * i)));
    }
    void AddDouble(double value) { AddNumber(std::bit_cast<std::uint64_t>(value)); }

    std::string Hex() const
    {
        char text[33];
        std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(a_),
                      static_cast<unsigned long long>(b_));
        return text;
    }

private:
    void AddByte(unsigned char c)
    {
        constexpr std::uint64_t kPrime = 0x100000001b3ull;
        a_ = (a_ ^ c) * kPrime;
        b_ = (b_ ^ c) * kPrime;
    }

    std::uint64_t a_ = 0xcbf29ce484222325ull;
    std::uint64_t b_ = 0x84222325cbf29ce4ull;
};

void AddRecords(Digest& digest, const std::vector<CsStockRec>& records)
{
    digest.AddNumber(records.size());
    for (const auto& rec : records) {
        digest.AddNumber(static_cast<std::uint32_t>(rec.Id));
        digest.AddNumber(rec.Type);
        digest.Add(rec.Name);
        digest.Add(rec.Material);
        digest.Add(rec.Remarks);
        digest.AddNumber(rec.Qty);
        for (double value : {rec.Length, rec.Width, rec.Thickness, rec.CostPerKg})
            digest.AddDouble(value);
    }
}

} // namespace

std::string BookingKey(const CVellicorDoc& doc)
{
    const BookingLists lists = FillLists(doc);
    Digest digest;
    digest.Add(doc.OrderNo);
    AddRecords(digest, lists.UsedStock);
    AddRecords(digest, lists.Offcuts);
    return doc.OrderNo + "#" + digest.Hex();
}

} // namespace vellicor

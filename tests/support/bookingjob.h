#pragma once

#include "inventory/stockdb.h"
#include "model/vellicordoc.h"

#include <memory>

namespace vellicor::test {

// Coils 1000 mm wide and 1 mm thick weighing 86 kg are 10 m long.
inline constexpr double kBookingCoilWeight = 86.0;

// A saved job with order number A12 and a result on three stock rows of steel: coil "17" (remarks
// "Edge damaged [SName:ROLL A]") run for 25 m, "17b" for 20 m and "C3" for 5 m, each layout two
// 450 mm slits beside a 100 mm rest; MinOffCut 50.
inline std::unique_ptr<CVellicorDoc> MakeBookingJob()
{
    auto doc = std::make_unique<CVellicorDoc>();
    doc->OrderNo = "A12";
    doc->SetPathName("job.vcj");
    doc->AddCoil(std::make_unique<CCoil>("17", 1000.0, "steel", 1.0, kBookingCoilWeight, 3,
                                         "Edge damaged [SName:ROLL A]", 2.0, 0.0, 0.0));
    doc->AddCoil(std::make_unique<CCoil>("17b", 1000.0, "steel", 1.0, kBookingCoilWeight, 3, "", 2.0, 0.0, 0.0));
    doc->AddCoil(std::make_unique<CCoil>("C3", 1000.0, "steel", 1.0, kBookingCoilWeight, 3, "typed", 2.0, 0.0, 0.0));
    doc->AddSlit(std::make_unique<CCoilPart>("S1", "steel", 1.0, 450.0, 1000.0, "", 0));
    doc->Settings.MinOffCut = 50.0;
    for (int coil = 0; coil < 3; ++coil) {
        CSlitPosList slits;
        slits.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
        slits.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
        const double length = coil == 0 ? 25000.0 : coil == 1 ? 20000.0 : 5000.0;
        doc->Layouts.Add(std::make_unique<CLayout>(doc->GetCoil(coil), std::move(slits),
                                                   length * kBookingCoilWeight / 10000.0, 0.0));
    }
    return doc;
}

// The stock the job's coils "17" and "17b" come from: five 10 m coils of id 17; LastId 20.
inline CsStockDb MakeBookingStock()
{
    CsStockDb db;
    db.LastId = 20;
    CsStockRec prime;
    prime.Id = 17;
    prime.Qty = 5;
    prime.Length = 10000.0;
    prime.Width = 1000.0;
    prime.Material = "steel";
    db.Records.push_back(prime);
    return db;
}

} // namespace vellicor::test

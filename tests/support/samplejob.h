#pragma once

#include "model/vellicordoc.h"

#include <memory>

namespace vellicor::test {

// A small job with every kind of record and a result of two layouts.
inline std::unique_ptr<CVellicorDoc> MakeSampleJob()
{
    auto doc = std::make_unique<CVellicorDoc>();
    doc->OrderNo = "A12";
    doc->QtyByLength = 0;
    doc->AddCoil(std::make_unique<CCoil>("C1", 1250.0, "crca", 1.5, 10000.0, 3, "prime", 0.95, 10.0, 15.0));
    doc->AddCoil(std::make_unique<CCoil>("C2", 1000.0, "crca", 1.5, 8000.0, 1, "", 0.9, 5.0, 5.0));
    doc->AddPart(std::make_unique<CCoilPart>("P1", "crca", 1.5, 300.0, 500.0, 10, "door", 1, 0));
    doc->AddSlit(std::make_unique<CCoilPart>("S1", "crca", 1.5, 120.0, 2000.0, "", 2));
    doc->AddSlit(std::make_unique<CCoilPart>("F1", "crca", 1.5, 50.0, -1.0, "", 1));
    doc->Settings.Kerf = 0.5;
    doc->Settings.MinPatWt = 75.25;

    CSlitPosList first;
    first.push_back(std::make_unique<CLayoutSlit>(1, doc->GetPart(0)));
    first.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
    first.push_back(std::make_unique<CLayoutSlit>(0, doc->GetFiller(0)));
    doc->Layouts.Add(std::make_unique<CLayout>(doc->GetCoil(0), std::move(first), 937.5, 0.5));
    CSlitPosList second;
    second.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
    second.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
    doc->Layouts.Add(std::make_unique<CLayout>(doc->GetCoil(1), std::move(second), 1200.0 / 3.0, 0.5));
    return doc;
}

} // namespace vellicor::test

#include "model/quantitymode.h"
#include "model/vellicordoc.h"

#include <gtest/gtest.h>

#include <memory>

namespace vellicor {
namespace {

// A weight-mode job: a 1.5 mm coil, a slit, a filler and a part of that thickness, and a layout
// running 20 m of the coil.
class QuantityMode : public ::testing::Test {
protected:
    QuantityMode()
    {
        doc.QtyByLength = 0;
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "steel", 1.5, 12000, 3, "", 0.8, 5, 5));
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "steel", 1.5, 100, 500, "", 0));
        doc.AddSlit(std::make_unique<CCoilPart>("F1", "steel", 1.5, 50, -1, "", 0));
        doc.AddPart(std::make_unique<CCoilPart>("P1", "steel", 1.5, 300, 200, 7, "", 1, 0));
        CSlitPosList slits;
        slits.push_back(std::make_unique<CLayoutSlit>(0, doc.GetSlit(0)));
        doc.Layouts.Add(std::make_unique<CLayout>(doc.GetCoil(0), std::move(slits), 0.0, 0.0));
        doc.Layouts.begin()->get()->SetWeightFromLength(20000);
    }

    CVellicorDoc doc;
};

TEST_F(QuantityMode, LengthModeKeepsLengthsAndTheThicknessComesBack)
{
    const double coilLength = doc.GetCoil(0)->LengthPerCoil();
    const double slitLength = doc.GetSlit(0)->RequiredLength();

    SetQuantitiesByLength(doc, true);
    EXPECT_EQ(doc.QtyByLength, 1);
    for (double t : {doc.GetCoil(0)->Thickness, doc.GetSlit(0)->Thickness, doc.GetFiller(0)->Thickness,
                     doc.GetPart(0)->Thickness})
        EXPECT_EQ(t, kNominalThickness);
    EXPECT_EQ(doc.GetCoil(0)->RealThickness(), 1.5);
    EXPECT_DOUBLE_EQ(doc.GetCoil(0)->LengthPerCoil(), coilLength);
    EXPECT_DOUBLE_EQ(doc.GetSlit(0)->RequiredLength(), slitLength);
    EXPECT_DOUBLE_EQ(doc.Layouts.begin()->get()->UsedLength(), 20000);
    EXPECT_EQ(doc.GetFiller(0)->Quantity, UnlimitedQty);
    EXPECT_EQ(doc.GetPart(0)->PieceCount(), 7);

    // Switching to the mode the job is in changes nothing.
    SetQuantitiesByLength(doc, true);
    EXPECT_EQ(doc.GetCoil(0)->RealThickness(), 1.5);

    SetQuantitiesByLength(doc, false);
    EXPECT_EQ(doc.QtyByLength, 0);
    EXPECT_EQ(doc.GetCoil(0)->Thickness, 1.5);
    EXPECT_EQ(doc.GetCoil(0)->GivenThickness, 0.0);
    EXPECT_EQ(doc.GetPart(0)->Thickness, 1.5);
    EXPECT_DOUBLE_EQ(doc.GetCoil(0)->WeightPerCoil, 12000);
    EXPECT_DOUBLE_EQ(doc.GetSlit(0)->RequiredWeight(), 500);
    EXPECT_DOUBLE_EQ(doc.Layouts.begin()->get()->UsedLength(), 20000);
}

TEST_F(QuantityMode, ThicknessNotKnownStaysNominal)
{
    // As a job written in length mode opens.
    SetQuantitiesByLength(doc, true);
    doc.GetCoil(0)->GivenThickness = 0.0;
    SetQuantitiesByLength(doc, false);
    EXPECT_EQ(doc.GetCoil(0)->Thickness, kNominalThickness);
    EXPECT_EQ(doc.GetSlit(0)->Thickness, 1.5);
}

} // namespace
} // namespace vellicor

#pragma once

#include "ui/pages/page.h"

namespace vellicor::test {

// A neighbouring tab for page tests: it shows nothing and never changes the job.
class CSEmptyPage : public CSPage {
public:
    using CSPage::CSPage;

protected:
    void OnInitDialog() override {}
    void LoadGrid() override {}
    bool ValidateGrid() override { return true; }
    void StoreGrid() override {}
};

} // namespace vellicor::test

#pragma once

#include "ui/page.h"

namespace vellicor {

// A tab whose page is not built yet: it shows nothing and never changes the job.
class CSPlaceholderPage : public CSPage {
public:
    using CSPage::CSPage;

protected:
    void OnInitDialog() override {}
    void LoadGrid() override {}
    bool ValidateGrid() override { return true; }
    void StoreGrid() override {}
};

} // namespace vellicor

#include "optimiser/linearprogram.h"
#include "optimiser/patternoptimiser.h"

#include "units/numeric.h"

#include <algorithm>
#include <numeric>

namespace vellicor {

namespace {

std::vector<std::unique_ptr<CLayout>> TakeAll(CLayoutList& list)
{
    std::vector<std::unique_ptr<CLayout>> out;
    while (!list.IsEmpty())
        out.push_back(list.Remove(list.GetAt(0)));
    return out;
}

// A position that is not a filler and whose width no layout of the list cuts.
bool CutsAWidthOfItsOwn(const CLayout& layout, const CLayoutList& others)
{
    for (const auto& slit : layout.SlitPositions) {
        if (slit->IsFiller())
            continue;
        const double w = slit->SlitWidth();
        const bool cutElsewhere = std::any_of(others.begin(), others.end(), [w](const auto& other) {
            return std::any_of(other->SlitPositions.begin(), other->SlitPositions.end(),
                               [w](const auto& s) { return IsEqual(s->SlitWidth(), w); });
        });
        if (!cutElsewhere)
            return true;
    }
    return false;
}

} // namespace

void CPatternOptimiser::MakeLayout(const CPatternColumn& column, double x)
{
    const CCoil* work = WorkCoils[static_cast<std::size_t>(column.Coil->Index)].get();
    const auto link = std::find_if(CoilLinks.begin(), CoilLinks.end(), [work](const auto& l) { return l.Work == work; });
    CCoil* row = link->Row;

    CSlitPosList positions;
    for (SlitPos k : column.Pattern.Positions) {
        const CSlitWidth& slit = Widths[k];
        CCoilPart* part = nullptr;
        if (slit.Info->InfoKind == InfoFiller) {
            part = WorkFillers[static_cast<std::size_t>(slit.Info->Index)];
        } else {
            const CCoilPart* requirement = WorkParts[static_cast<std::size_t>(slit.Info->Index)].get();
            part = std::find_if(PartLinks.begin(), PartLinks.end(), [requirement](const auto& l) {
                       return l.Work == requirement;
                   })->Row;
        }
        positions.push_back(std::make_unique<CLayoutSlit>(slit.Width != part->Length ? 1 : 0, part));
    }
    // x is usable weight; the layout's weight includes the trims.
    const double weight = row->Width * x / column.Coil->UsableWidth;
    Results.Add(std::make_unique<CLayout>(row, std::move(positions), weight, Settings.Kerf));
}

void CPatternOptimiser::ApplyMinPatternWeight(double limit)
{
    CLayoutList heavy;
    CLayoutList light;
    for (auto& layout : TakeAll(Results)) {
        if (layout->Weight >= limit)
            heavy.Add(std::move(layout));
        else
            light.Add(std::move(layout));
    }
    light.SortByWeight();

    // The stock still free on each working coil once the heavy layouts have their share.
    std::vector<double> spare(WorkCoils.size());
    for (std::size_t w = 0; w < WorkCoils.size(); ++w)
        spare[w] = WorkCoils[w]->TotalWeight();
    for (const auto& layout : heavy)
        spare[WorkCoilOf(*layout)] -= layout->Weight;

    // A light layout stays only while it is the one source of some width, so far, and only when
    // its coil has the stock to run it up to the limit.
    std::vector<std::unique_ptr<CLayout>> dropped;
    for (auto& layout : TakeAll(light)) {
        double& free = spare[WorkCoilOf(*layout)];
        if (layout->GetSlitCount() > 0 && CutsAWidthOfItsOwn(*layout, heavy) && limit - layout->Weight <= free) {
            free -= limit;
            heavy.Add(std::move(layout));
        } else {
            dropped.push_back(std::move(layout));
        }
    }

    std::vector<std::pair<double, double>> lost; // width, kg
    for (const auto& layout : dropped) {
        for (const auto& slit : layout->SlitPositions) {
            if (slit->IsFiller())
                continue;
            const double w = slit->SlitWidth();
            const double amount = w / layout->Coil->Width * layout->Weight;
            auto entry = std::find_if(lost.begin(), lost.end(), [w](const auto& e) { return IsEqual(e.first, w); });
            if (entry == lost.end())
                lost.emplace_back(w, amount);
            else
                entry->second += amount;
        }
    }
    RebalanceDropped(heavy, lost, limit);
    Results = std::move(heavy);
}

std::size_t CPatternOptimiser::WorkCoilOf(const CLayout& layout) const
{
    const auto link = std::find_if(CoilLinks.begin(), CoilLinks.end(),
                                   [&layout](const auto& l) { return l.Row == layout.Coil; });
    const auto work = std::find_if(WorkCoils.begin(), WorkCoils.end(),
                                   [&link](const auto& w) { return w.get() == link->Work; });
    return static_cast<std::size_t>(work - WorkCoils.begin());
}

void CPatternOptimiser::RebalanceDropped(CLayoutList& layouts, const std::vector<std::pair<double, double>>& dropped,
                                         double limit)
{
    const int n = layouts.GetCount();
    const int m = static_cast<int>(dropped.size());
    double lostKg = 0.0;
    for (const auto& entry : dropped)
        lostKg += entry.second;
    const bool anyLight = std::any_of(layouts.begin(), layouts.end(), [limit](const auto& l) { return l->Weight < limit; });
    if (n == 0 || (m == 0 && !anyLight)) {
        Stats.Shortfall = lostKg;
        return;
    }

    // Columns: the extra kg of each layout, then what each dropped width stays short. The short kg
    // are minimised first, the extra coil weight second, so that stock goes to the dropped widths.
    CLinearProgram lp(n + m, StopToken());
    std::vector<double> shortOnly(static_cast<std::size_t>(n + m), 0.0);
    std::fill(shortOnly.begin() + n, shortOnly.end(), 1.0);
    lp.SetObjective(shortOnly);
    for (int i = 0; i < m; ++i) {
        const double w = dropped[static_cast<std::size_t>(i)].first;
        std::vector<int> columns;
        std::vector<double> values;
        for (int j = 0; j < n; ++j) {
            const CLayout& layout = *layouts.GetAt(j);
            const double share = layout.SumOfSlitWidth(w) / layout.Coil->Width;
            if (share != 0.0) {
                columns.push_back(j);
                values.push_back(share);
            }
        }
        columns.push_back(n + i);
        values.push_back(1.0);
        lp.AddRow(columns, values, CLinearProgram::RowType::GreaterOrEqual, dropped[static_cast<std::size_t>(i)].second);
    }
    // No working coil gives more than its rows hold; no layout stays below the limit.
    std::vector<double> spare(WorkCoils.size());
    for (std::size_t w = 0; w < WorkCoils.size(); ++w)
        spare[w] = WorkCoils[w]->TotalWeight();
    std::vector<std::vector<int>> onCoil(WorkCoils.size());
    for (int j = 0; j < n; ++j) {
        const CLayout& layout = *layouts.GetAt(j);
        const std::size_t w = WorkCoilOf(layout);
        spare[w] -= layout.Weight;
        onCoil[w].push_back(j);
        if (layout.Weight < limit) {
            const int column[] = {j};
            const double one[] = {1.0};
            lp.AddRow(column, one, CLinearProgram::RowType::GreaterOrEqual, limit - layout.Weight);
        }
    }
    for (std::size_t w = 0; w < WorkCoils.size(); ++w) {
        if (onCoil[w].empty())
            continue;
        const std::vector<double> ones(onCoil[w].size(), 1.0);
        lp.AddRow(onCoil[w], ones, CLinearProgram::RowType::LessOrEqual, std::max(spare[w], 0.0));
    }
    const auto first = lp.Solve();
    if (!first) {
        Stats.Shortfall = lostKg;
        return;
    }
    double shortKg = 0.0;
    for (int i = 0; i < m; ++i)
        shortKg += (*first)[static_cast<std::size_t>(n + i)];

    if (m > 0) {
        std::vector<int> shortColumns(static_cast<std::size_t>(m));
        std::iota(shortColumns.begin(), shortColumns.end(), n);
        const std::vector<double> ones(static_cast<std::size_t>(m), 1.0);
        lp.AddRow(shortColumns, ones, CLinearProgram::RowType::LessOrEqual, shortKg + 1e-9 * (1.0 + shortKg));
    }
    std::vector<double> extraOnly(static_cast<std::size_t>(n + m), 0.0);
    std::fill(extraOnly.begin(), extraOnly.begin() + n, 1.0);
    lp.SetObjective(extraOnly);
    const auto y = lp.Solve();
    const auto& chosen = y ? *y : *first;
    Stats.Shortfall = shortKg;
    for (int j = 0; j < n; ++j)
        if (chosen[static_cast<std::size_t>(j)] > 0)
            layouts.GetAt(j)->AddWeight(chosen[static_cast<std::size_t>(j)]);
}

void CPatternOptimiser::SplitToStockRows()
{
    std::vector<std::unique_ptr<CLayout>> extra;
    for (const auto& layout : Results) {
        double c = layout->Weight;
        const auto first = std::find_if(CoilLinks.begin(), CoilLinks.end(),
                                        [&layout](const auto& l) { return l.Row == layout->Coil; });
        if (first == CoilLinks.end())
            continue;
        const CCoil* work = first->Work;
        bool done = false;
        for (CCoilLink& e : CoilLinks) {
            if (e.Work != work || e.Remaining < 10)
                continue;
            // A row up to 1 kg short still takes the whole layout.
            if (c <= e.Remaining + 1) {
                layout->Coil = e.Row;
                layout->Weight = c;
                e.Remaining -= c;
                done = true;
                break;
            }
            auto part = std::make_unique<CLayout>(*layout);
            part->Coil = e.Row;
            part->Weight = e.Remaining;
            extra.push_back(std::move(part));
            c -= e.Remaining;
            e.Remaining = 0;
        }
        if (!done)
            layout->Weight = c;
    }
    for (auto& layout : extra)
        Results.Add(std::move(layout));
    Results.SortByWeight();
}

void CPatternOptimiser::SplitToPartRows()
{
    for (const auto& work : WorkParts) {
        std::vector<CCoilPart*> rows;
        for (const CPartLink& link : PartLinks)
            if (link.Work == work.get())
                rows.push_back(link.Row);
        if (rows.size() >= 2)
            DistributePartRows(std::move(rows));
    }
}

void CPatternOptimiser::DistributePartRows(std::vector<CCoilPart*> rows)
{
    // The layouts were made on the first row; the row that needs most takes its place.
    const auto big = std::max_element(rows.begin(), rows.end(), [](const CCoilPart* a, const CCoilPart* b) {
        return a->RequiredWeight() < b->RequiredWeight();
    });
    if (big != rows.begin()) {
        CCoilPart* former = rows.front();
        std::iter_swap(rows.begin(), big);
        for (const auto& layout : Results)
            layout->ReplacePart(former, rows.front());
    }
    CCoilPart* rep = rows.front();

    // Smallest first, and the representative last among rows of its weight: the last row is the
    // one that keeps whatever is left.
    rows.erase(rows.begin());
    std::stable_sort(rows.begin(), rows.end(), [](const CCoilPart* a, const CCoilPart* b) {
        return a->RequiredWeight() < b->RequiredWeight();
    });
    rows.push_back(rep);

    std::vector<CLayout*> serving; // heaviest first, then fewer slits
    for (const auto& layout : Results)
        if (layout->UsesPart(rep))
            serving.push_back(layout.get());
    std::stable_sort(serving.begin(), serving.end(), [](const CLayout* a, const CLayout* b) {
        if (a->Weight != b->Weight)
            return a->Weight > b->Weight;
        return a->GetSlitCount() < b->GetSlitCount();
    });

    for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
        CCoilPart* row = rows[r];
        double s = row->RequiredWeight();
        for (CLayout* e : serving) {
            if (!e->UsesPart(rep))
                continue;
            const double f = e->WeightOfPart(rep);
            if (f > s) {
                auto g = std::make_unique<CLayout>(*e);
                g->ReplacePart(rep, row);
                g->Weight = e->Weight * s / f;
                e->Weight -= g->Weight;
                Results.Add(std::move(g));
                break;
            }
            s -= f;
            e->ReplacePart(rep, row);
            if (s < 0.1)
                break;
        }
    }
}

} // namespace vellicor

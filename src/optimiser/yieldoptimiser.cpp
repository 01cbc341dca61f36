#include "optimiser/yieldoptimiser.h"

#include "optimiser/mipmodel.h"
#include "optimiser/stoptoken.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <cstdio>

namespace vellicor {

namespace {

// Patterns offered to the integer plan beyond those the linear optimum runs.
constexpr std::size_t ExtraPatternsBase = 40;
constexpr std::size_t ExtraPatternsPerRequirement = 3;
// Reduced cost, as a share of the coil's cost, up to which a pattern is worth offering.
constexpr double OfferedReducedCost = 0.03;
// A knife set-up is charged as this share of the demand's weight in coil cost, so that a layout
// stays only where it saves more than that.
constexpr double LayoutCharge = 2e-4;
// Over-production is charged a little, so that it never comes for free.
constexpr double OverCharge = 1e-3;
constexpr CMipLimits Limits{200, 20.0};
// Fixings tried per step of the dive, and its steps: enough for the few light layouts of a job.
constexpr std::size_t MaxDiveCandidates = 4;
constexpr std::size_t MaxDives = 12;

} // namespace

CYieldOptimiser::CYieldOptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts,
                                 std::span<CCoilPart* const> slits, std::span<CCoilPart* const> fillers,
                                 const CSettings& settings, const CStopToken* stop,
                                 std::function<void(double)> progress)
    : CCanonicalGroup(coils, parts, slits, fillers),
      COptimiser(CoilRows, PartRows, SlitRows, FillerRows, settings, stop), stop_(stop), progress_(std::move(progress))
{
}

std::vector<CYieldOptimiser::COffer> CYieldOptimiser::OfferPatterns(const CMasterSolution& master) const
{
    std::vector<std::size_t> order(master.Columns.size());
    std::iota(order.begin(), order.end(), 0);
    auto run = [&master](std::size_t k) { return master.X[k] > 1e-9; };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (run(a) != run(b))
            return run(a);
        return master.ReducedCost[a] < master.ReducedCost[b];
    });
    const std::size_t extra = ExtraPatternsBase + ExtraPatternsPerRequirement * PartInfos.size();
    std::vector<std::size_t> picked;
    std::size_t offered = 0;
    for (std::size_t k : order) {
        const double cost = CoilInfos[master.Columns[k].Coil].UsableCost;
        if (run(k)) {
            picked.push_back(k);
        } else if (offered < extra && master.ReducedCost[k] <= OfferedReducedCost * cost) {
            picked.push_back(k);
            ++offered;
        }
    }
    std::sort(picked.begin(), picked.end());
    std::vector<COffer> offers;
    for (std::size_t k : picked)
        offers.push_back({master.Columns[k], master.X[k]});

    // A requirement that the linear optimum cuts in a layout lighter than the minimum weight also
    // gets the best patterns that carry it along with others.
    std::vector<char> light(PartInfos.size(), 0);
    for (std::size_t k = 0; k < master.Columns.size(); ++k) {
        const CGeneratedColumn& column = master.Columns[k];
        if (master.X[k] > 1e-9 && master.X[k] < LeastUsable(column.Coil))
            for (const auto& [j, share] : RequirementShares(*this, column))
                light[j] = 1;
    }
    for (std::size_t j = 0; j < light.size(); ++j)
        if (light[j])
            for (CGeneratedColumn& column : PatternsWith(*this, master, j, stop_))
                offers.push_back({std::move(column), 0.0});
    return offers;
}

double CYieldOptimiser::LeastUsable(std::size_t coil) const
{
    const CCoil& work = *WorkCoils[static_cast<std::size_t>(CoilInfos[coil].Index)];
    return std::max(0.0, Settings.MinPatWt) * work.UsableWidth() / work.Width;
}

int CYieldOptimiser::Run()
{
    const std::size_t requirementWidths = Widths.size();
    if (PartInfos.empty() || CoilInfos.empty()) {
        Outcome = EGroupOutcome::NoCoilWideEnough;
        return 1;
    }
    if (requirementWidths + FillerWidths.size() > MaxWidthEntries) {
        Outcome = EGroupOutcome::TooManyWidths;
        return 1;
    }
    auto report = [this](double share) {
        if (progress_)
            progress_(share);
    };
    CMasterTargets left = GroupTargets(*this);
    const CMasterSolution first = SolveMaster(*this, left, {}, stop_, [&report](double share) { report(0.6 * share); });
    CMasterSolution master = first;
    Stats.LeastCoilWeight = first.LeastCoilWeight;
    Stats.Iterations = first.Iterations;
    Stats.Converged = first.Converged;
    if (master.Stopped || (stop_ && stop_->StopRequested())) {
        Outcome = EGroupOutcome::Stopped;
        return -1;
    }

    // Dive: of the light layouts and the best patterns that carry their requirements, the one
    // that costs least when fixed at the minimum weight is fixed, and the rest planned again, until
    // the linear optimum runs no light layout. Every pattern found on the way is offered to the
    // integer plan, and the dive's end is a plan for it to start from.
    std::vector<COffer> fixed;
    const std::size_t dives = std::min(MaxDives, PartInfos.size() + CoilInfos.size());
    for (std::size_t dive = 0; dive < dives; ++dive) {
        std::vector<CGeneratedColumn> candidates;
        std::vector<char> light(PartInfos.size(), 0);
        for (std::size_t k = 0; k < master.Columns.size(); ++k) {
            if (master.X[k] <= 1e-9 || master.X[k] >= LeastUsable(master.Columns[k].Coil) * (1.0 - 1e-9))
                continue;
            candidates.push_back(master.Columns[k]);
            for (const auto& [j, share] : RequirementShares(*this, master.Columns[k]))
                light[j] = 1;
        }
        if (candidates.empty())
            break;
        for (std::size_t j = 0; j < light.size(); ++j)
            if (light[j])
                for (CGeneratedColumn& column : PatternsWith(*this, master, j, stop_))
                    candidates.push_back(std::move(column));
        if (candidates.size() > MaxDiveCandidates)
            candidates.resize(MaxDiveCandidates);

        std::optional<CMasterSolution> best;
        CMasterTargets bestLeft;
        COffer bestFix;
        double bestCost = 0.0;
        for (const CGeneratedColumn& column : candidates) {
            const double x = LeastUsable(column.Coil);
            if (x > left.Capacity[column.Coil])
                continue;
            CMasterTargets trial = left;
            trial.Capacity[column.Coil] -= x;
            for (const auto& [j, share] : RequirementShares(*this, column))
                trial.Demand[j] = std::max(0.0, trial.Demand[j] - share * x);
            CMasterSolution solved = SolveMaster(*this, trial, master.Columns, stop_, {});
            Stats.Iterations += solved.Iterations;
            if (solved.Stopped || (stop_ && stop_->StopRequested()))
                return -1;
            const double cost = solved.Objective + x * CoilInfos[column.Coil].UsableCost;
            if (!best || cost < bestCost) {
                bestCost = cost;
                bestLeft = std::move(trial);
                best = std::move(solved);
                bestFix = COffer{column, x};
            }
        }
        if (!best)
            break;
        fixed.push_back(std::move(bestFix));
        left = std::move(bestLeft);
        master = std::move(*best);
        report(0.6 + 0.1 * static_cast<double>(dive + 1) / static_cast<double>(dives));
    }
    Stats.ColumnsGenerated = master.Columns.size();
    Widths.insert(Widths.end(), FillerWidths.begin(), FillerWidths.end());

    std::vector<COffer> offers = OfferPatterns(master);
    offers.insert(offers.end(), fixed.begin(), fixed.end());
    if (!fixed.empty())
        for (COffer& offer : OfferPatterns(first)) {
            offer.FirstX = offer.X;
            offer.X = 0.0;
            offers.push_back(std::move(offer));
        }
    Stats.MipPatterns = offers.size();
    double demand = 0.0;
    double cheapest = CoilInfos.front().UsableCost;
    for (const CPartInfo& info : PartInfos)
        demand += info.Amount;
    for (const CCoilInfo& coil : CoilInfos)
        cheapest = std::min(cheapest, coil.UsableCost);
    const double setUp = LayoutCharge * demand * cheapest;

    CMipModel mip;
    // Requirement rows: made + short - over = required.
    std::vector<int> requirementRow;
    for (const CPartInfo& info : PartInfos) {
        const int row = mip.AddRow(info.Amount, info.Amount);
        mip.Set(row, mip.AddColumn(1000.0 * cheapest, 0.0, info.Amount, false), 1.0);
        mip.Set(row, mip.AddColumn(OverCharge * cheapest, 0.0, 1e30, false), -1.0);
        requirementRow.push_back(row);
    }
    // Stock rows, each on its own: a layout then never needs splitting between rows.
    std::vector<int> stockRow(CoilLinks.size(), -1);
    std::vector<double> capacity(CoilLinks.size(), 0.0);
    std::vector<double> least(CoilLinks.size(), 0.0);
    for (std::size_t r = 0; r < CoilLinks.size(); ++r) {
        const CCoil& row = *CoilLinks[r].Row;
        capacity[r] = row.UsableWeight();
        least[r] = std::max(0.0, Settings.MinPatWt) * row.UsableWidth() / row.Width;
        stockRow[r] = mip.AddRow(-1e30, capacity[r]);
    }
    std::vector<CMipColumn> columns;
    for (std::size_t k = 0; k < offers.size(); ++k) {
        const CGeneratedColumn& pattern = offers[k].Pattern;
        const CCoil* work = WorkCoils[static_cast<std::size_t>(CoilInfos[pattern.Coil].Index)].get();
        const auto shares = RequirementShares(*this, pattern);
        // Running a pattern beyond what its most wanted requirement needs only over-produces.
        double useful = 0.0;
        for (const auto& [j, share] : shares)
            useful = std::max(useful, PartInfos[j].Amount / share);
        for (std::size_t r = 0; r < CoilLinks.size(); ++r) {
            if (CoilLinks[r].Work != work)
                continue;
            const double upper = std::min(capacity[r], useful + least[r]);
            if (upper < least[r] || upper <= 0.0)
                continue;
            const double cost = CoilLinks[r].Row->UsableCostPerKg();
            CMipColumn column{k, r, mip.AddColumn(cost, 0.0, upper, false), mip.AddColumn(setUp, 0.0, 1.0, true)};
            for (const auto& [j, share] : shares)
                mip.Set(requirementRow[j], column.Weight, share);
            mip.Set(stockRow[r], column.Weight, 1.0);
            const int most = mip.AddRow(-1e30, 0.0);
            mip.Set(most, column.Weight, 1.0);
            mip.Set(most, column.Used, -upper);
            if (least[r] > 0.0) {
                const int floor = mip.AddRow(0.0, 1e30);
                mip.Set(floor, column.Weight, 1.0);
                mip.Set(floor, column.Used, -least[r]);
            }
            columns.push_back(column);
        }
    }

    // A linear plan, each pattern's weight handed to its coil's rows in turn and lifted to the
    // minimum weight where a row has room, is a plan to start from: the dive's end or the first
    // optimum, whichever costs less.
    auto startFrom = [&](double COffer::*weight) {
        std::vector<double> start(mip.Cost.size(), 0.0);
        std::vector<double> room = capacity;
        std::vector<double> made(PartInfos.size(), 0.0);
        for (std::size_t k = 0; k < offers.size(); ++k) {
            double want = offers[k].*weight;
            for (const CMipColumn& column : columns) {
                if (column.Pattern != k || want <= 1e-9)
                    continue;
                const std::size_t r = column.Link;
                const double upper = std::min(room[r], mip.Upper[static_cast<std::size_t>(column.Weight)]);
                double x = std::min(want, upper);
                if (x < least[r])
                    x = least[r] <= upper ? least[r] : 0.0;
                if (x <= 0.0)
                    continue;
                start[static_cast<std::size_t>(column.Weight)] = x;
                start[static_cast<std::size_t>(column.Used)] = 1.0;
                room[r] -= x;
                want -= x;
                for (const auto& [j, share] : RequirementShares(*this, offers[k].Pattern))
                    made[j] += share * x;
            }
        }
        for (std::size_t j = 0; j < PartInfos.size(); ++j) {
            const double gap = PartInfos[j].Amount - made[j];
            start[2 * j] = std::max(0.0, gap);
            start[2 * j + 1] = std::max(0.0, -gap);
        }
        return start;
    };
    auto costOf = [&mip](const std::vector<double>& x) {
        return std::inner_product(x.begin(), x.end(), mip.Cost.begin(), 0.0);
    };
    mip.Start = startFrom(&COffer::X);
    if (!fixed.empty()) {
        std::vector<double> other = startFrom(&COffer::FirstX);
        if (costOf(other) < costOf(mip.Start))
            mip.Start = std::move(other);
    }

    report(0.7);
    CMipOutcome outcome = SolveMip(mip, Limits, stop_);
    // Where light layouts had to be dealt with, the start can hold the search in its
    // neighbourhood: a search without it may end elsewhere, and the cheaper plan is kept.
    if (!fixed.empty() && !(stop_ && stop_->StopRequested())) {
        CMipModel unstarted = mip;
        unstarted.Start.clear();
        CMipOutcome other = SolveMip(unstarted, Limits, stop_);
        other.Seconds += outcome.Seconds;
        if (other.Solved && (!outcome.Solved || other.Objective < outcome.Objective))
            outcome = std::move(other);
        else
            outcome.Seconds = other.Seconds;
    }
    PlanModel = mip;
    Stats.MipGap = outcome.Gap;
    Stats.MipSeconds = outcome.Seconds;
    if (stop_ && stop_->StopRequested())
        return -1;
    const std::vector<double>& x = outcome.Solved ? outcome.X : mip.Start;
    for (const CMipColumn& column : columns) {
        const double weight = x[static_cast<std::size_t>(column.Weight)];
        if (x[static_cast<std::size_t>(column.Used)] > 0.5 && weight > 1e-6)
            MakeLayout(offers[column.Pattern].Pattern, CoilLinks[column.Link], weight);
    }
    SplitToPartRows();
    Results.SortByWeight();
    Stats.Layouts = static_cast<std::size_t>(Results.GetCount());
    report(1.0);
    return 1;
}

void CYieldOptimiser::AddFillers(std::vector<SlitPos>& positions, double usable, double total) const
{
    const double kerf = Settings.Kerf;
    const long long maxKnives = Settings.MaxKnives;
    for (std::size_t j = Widths.size() - FillerWidths.size(); j < Widths.size(); ++j) {
        const double step = kerf + Widths[j].Width;
        if (step <= 0.0)
            continue;
        while (usable - total >= step && static_cast<long long>(positions.size()) <= maxKnives) {
            positions.push_back(static_cast<SlitPos>(j));
            total += step;
        }
    }
}

void CYieldOptimiser::MakeLayout(const CGeneratedColumn& column, const CCoilLink& link, double x)
{
    std::vector<SlitPos> positions = column.Positions;
    AddFillers(positions, CoilInfos[column.Coil].UsableWidth, column.Total);
    CSlitPosList slits;
    for (SlitPos k : positions) {
        const CSlitWidth& slit = Widths[k];
        CCoilPart* part = nullptr;
        if (slit.Info->InfoKind == InfoFiller) {
            part = WorkFillers[static_cast<std::size_t>(slit.Info->Index)];
        } else {
            const CCoilPart* work = WorkParts[static_cast<std::size_t>(slit.Info->Index)].get();
            part = std::find_if(PartLinks.begin(), PartLinks.end(), [work](const auto& l) { return l.Work == work; })->Row;
        }
        slits.push_back(std::make_unique<CLayoutSlit>(slit.Width != part->Length ? 1 : 0, part));
    }
    // x is usable weight; the layout's weight includes the trims.
    const double weight = link.Row->Width * x / link.Row->UsableWidth();
    Results.Add(std::make_unique<CLayout>(link.Row, std::move(slits), weight, Settings.Kerf));
}

// A merged requirement was planned on its first row: the other rows take their own weight from
// the layouts, the heaviest first, a layout being shared out by weight where one row ends.
void CYieldOptimiser::SplitToPartRows()
{
    for (const auto& work : WorkParts) {
        std::vector<CCoilPart*> rows;
        for (const CPartLink& link : PartLinks)
            if (link.Work == work.get())
                rows.push_back(link.Row);
        if (rows.size() < 2)
            continue;
        CCoilPart* first = rows.front();
        std::vector<CLayout*> serving;
        for (const auto& layout : Results)
            if (layout->UsesPart(first))
                serving.push_back(layout.get());
        std::stable_sort(serving.begin(), serving.end(),
                         [](const CLayout* a, const CLayout* b) { return a->Weight > b->Weight; });
        std::size_t next = 0;
        for (std::size_t r = 1; r < rows.size(); ++r) {
            double wanted = rows[r]->RequiredWeight();
            while (next < serving.size() && wanted > 0.1) {
                CLayout* e = serving[next];
                const double f = e->WeightOfPart(first);
                if (f > wanted) {
                    auto share = std::make_unique<CLayout>(*e);
                    share->ReplacePart(first, rows[r]);
                    share->Weight = e->Weight * wanted / f;
                    e->Weight -= share->Weight;
                    Results.Add(std::move(share));
                    break;
                }
                wanted -= f;
                e->ReplacePart(first, rows[r]);
                ++next;
            }
        }
    }
}

} // namespace vellicor

#include "optimiser/sequencing.h"

#include "model/coil.h"
#include "model/layout.h"
#include "optimiser/annealrandom.h"
#include "units/numeric.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

namespace vellicor {

namespace {

constexpr double kStartTemperature = 0.5;
constexpr double kCooling = 0.9;
constexpr int kTemperatureSteps = 100;
constexpr int kTrialsPerCity = 100;
constexpr int kAcceptedPerCity = 10;

// The current tour of an annealing with the two kinds of move. Positions wrap around.
class CTour {
public:
    explicit CTour(const CDistanceTable& distances) : distances_(distances), n_(distances.GetCount())
    {
        cities_.resize(static_cast<std::size_t>(n_));
        for (int i = 0; i < n_; ++i)
            cities_[static_cast<std::size_t>(i)] = i;
    }

    int Wrap(int position) const { return ((position % n_) + n_) % n_; }

    // The change cost between the layouts at two positions of the tour.
    double Change(int a, int b) const { return distances_.At(City(a), City(b)); }

    // Summed in a fixed order, the removed changes first: another order rounds differently, and a
    // move that should cost 0 could come out a hair below and be taken, giving another cutting order.
    double ReversalCost(int first, int last) const
    {
        const int before = Wrap(first - 1);
        const int after = Wrap(last + 1);
        double de = -Change(first, before);
        de -= Change(last, after);
        de += Change(first, after);
        de += Change(last, before);
        return de;
    }

    double TransportCost(int first, int last, int target) const
    {
        const int before = Wrap(first - 1);
        const int after = Wrap(last + 1);
        const int next = Wrap(target + 1);
        double de = -Change(last, after);
        de -= Change(first, before);
        de -= Change(target, next);
        de += Change(first, target);
        de += Change(last, next);
        de += Change(before, after);
        return de;
    }

    void Reverse(int first, int last)
    {
        const int swaps = (Wrap(last - first) + 1) / 2;
        for (int j = 0; j < swaps; ++j)
            std::swap(cities_[static_cast<std::size_t>(Wrap(first + j))],
                      cities_[static_cast<std::size_t>(Wrap(last - j))]);
    }

    // Moves the segment first ... last to between target and next. The new tour starts with the
    // segment, then next ... before, then after ... target.
    void Transport(int first, int last, int target)
    {
        moved_.clear();
        const auto append = [&](int from, int to) {
            for (int p = from;; p = Wrap(p + 1)) {
                moved_.push_back(City(p));
                if (p == to)
                    break;
            }
        };
        append(first, last);
        append(Wrap(target + 1), Wrap(first - 1));
        append(Wrap(last + 1), target);
        cities_.swap(moved_);
    }

    const std::vector<int>& Cities() const { return cities_; }

private:
    int City(int position) const { return cities_[static_cast<std::size_t>(position)]; }

    const CDistanceTable& distances_;
    int n_;
    std::vector<int> cities_;
    std::vector<int> moved_;
};

void Arrange(CLayoutList& layouts, const std::vector<int>& order)
{
    std::vector<CLayout*> byPosition;
    byPosition.reserve(order.size());
    for (int i = 0; i < layouts.GetCount(); ++i)
        byPosition.push_back(layouts.GetAt(i));
    std::vector<std::unique_ptr<CLayout>> taken;
    taken.reserve(order.size());
    for (int position : order)
        taken.push_back(layouts.Remove(byPosition[static_cast<std::size_t>(position)]));
    for (auto& layout : taken)
        layouts.Add(std::move(layout));
}

} // namespace

double LayoutDistance(const CLayout& a, const CLayout& b)
{
    const int nA = a.GetSlitCount();
    const int nB = b.GetSlitCount();
    std::vector<char> taken(static_cast<std::size_t>(nB), 0);
    int matched = 0;
    for (int i = 0; i < nA; ++i) {
        const double width = a.GetSlit(i)->SlitWidth();
        for (int j = 0; j < nB; ++j) {
            if (!taken[static_cast<std::size_t>(j)] && IsEqual(b.GetSlit(j)->SlitWidth(), width)) {
                taken[static_cast<std::size_t>(j)] = 1;
                ++matched;
                break;
            }
        }
    }
    const int unmatched = nA + nB - 2 * matched;
    double d = unmatched + 1.1 * std::abs(nA - nB);
    if (a.GetCoil()->Name != b.GetCoil()->Name)
        d += unmatched;
    return std::fabs(d);
}

double ChangeCost(const CLayoutList& layouts)
{
    double cost = 0.0;
    for (int i = 0; i + 1 < layouts.GetCount(); ++i)
        cost += LayoutDistance(*layouts.GetAt(i), *layouts.GetAt(i + 1));
    return cost;
}

CDistanceTable::CDistanceTable(const CLayoutList& layouts) : count_(layouts.GetCount())
{
    values_.resize(static_cast<std::size_t>(count_) * static_cast<std::size_t>(count_));
    for (int from = 0; from < count_; ++from)
        for (int to = 0; to < count_; ++to)
            values_[static_cast<std::size_t>(from * count_ + to)] =
                LayoutDistance(*layouts.GetAt(from), *layouts.GetAt(to));
}

std::vector<int> AnnealTour(const CDistanceTable& distances)
{
    const int n = distances.GetCount();
    CTour tour(distances);
    // The acceptance test draws from the same generator as the moves.
    CSubtractiveRandom uniform(-1);
    CShiftRegisterBits moveKind(111);
    double temperature = kStartTemperature;
    const auto accept = [&](double de) { return de < 0.0 || uniform.Next() < std::exp(-de / temperature); };

    for (int step = 0; step < kTemperatureSteps; ++step) {
        int accepted = 0;
        for (int trial = 0; trial < kTrialsPerCity * n; ++trial) {
            int first = 0;
            int last = 0;
            int outside = 0;
            do {
                first = static_cast<int>(n * uniform.Next());
                last = static_cast<int>((n - 1) * uniform.Next());
                if (last >= first)
                    ++last;
                outside = (first + n - last - 1) % n;
            } while (outside < 2);

            if (moveKind.Next() == 1) {
                if (accept(tour.ReversalCost(first, last))) {
                    ++accepted;
                    tour.Reverse(first, last);
                }
            } else {
                const int target = tour.Wrap(last + 1 + static_cast<int>((outside - 1) * uniform.Next()));
                if (accept(tour.TransportCost(first, last, target))) {
                    ++accepted;
                    tour.Transport(first, last, target);
                }
            }
            if (accepted >= kAcceptedPerCity * n)
                break;
        }
        temperature *= kCooling;
        if (accepted == 0)
            break;
    }
    return tour.Cities();
}

int LongestEdgeStart(const CLayoutList& layouts)
{
    const int n = layouts.GetCount();
    double best = LayoutDistance(*layouts.GetAt(0), *layouts.GetAt(1));
    int start = 1;
    for (int i = 1; i <= n - 2; ++i) {
        const double d = LayoutDistance(*layouts.GetAt(i), *layouts.GetAt(i + 1));
        if (d > best) {
            best = d;
            start = i + 1;
        }
    }
    if (LayoutDistance(*layouts.GetAt(n - 1), *layouts.GetAt(0)) > best)
        start = 0;
    return start;
}

void SequenceLayouts(CLayoutList& layouts)
{
    const int n = layouts.GetCount();
    if (n < 4)
        return;
    Arrange(layouts, AnnealTour(CDistanceTable(layouts)));
    const int start = LongestEdgeStart(layouts);
    std::vector<int> opened;
    opened.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        opened.push_back((start + k) % n);
    Arrange(layouts, opened);
}

} // namespace vellicor

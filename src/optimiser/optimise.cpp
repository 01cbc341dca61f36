#include "optimiser/optimise.h"

#include "model/vellicordoc.h"
#include "optimiser/wholepieces.h"
#include "optimiser/sequencing.h"
#include "optimiser/stoptoken.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "units/numtext.h"

#include <algorithm>
#include <new>
#include <vector>

namespace vellicor {

std::string MakeGroupKey(const std::string& material, double thickness)
{
    return material + "-" + FormatNumber(thickness, 3);
}

COptimiseError::COptimiseError(int messageId, std::vector<std::string> args)
    : std::runtime_error("optimisation failed"), MessageId(messageId), Args(std::move(args))
{
}

namespace {

// Why a group that yields nothing did so, for the planner; the same for every engine.
void TellOutcome(IUserMessages& messages, const std::string& key, const COptimiser& optimiser,
                 CLinearProgram::Outcome lp)
{
    switch (optimiser.Outcome) {
    case EGroupOutcome::NoCoilWideEnough:
        messages.Tell(ids::GroupNoCoilWideEnough, {key});
        break;
    case EGroupOutcome::TooManyWidths:
        messages.Tell(ids::GroupTooManyWidths,
                      {key, std::to_string(optimiser.Widths.size() + optimiser.FillerWidths.size()),
                       std::to_string(MaxWidthEntries)});
        break;
    case EGroupOutcome::Infeasible:
        messages.Tell(ids::GroupInfeasible, {key, OutcomeName(lp)});
        break;
    case EGroupOutcome::Optimised:
    case EGroupOutcome::Stopped:
        break;
    }
}

} // namespace

int Optimise(CVellicorDoc& doc, IUserMessages& messages, IOptimiseProgress* progress, const COptimiseOptions& options)
{
    const CStopToken* stop = options.Stop;
    doc.Layouts.Clear();
    doc.LeastCoilWeight.reset();
    if (doc.Coils.empty()) {
        messages.Tell(ids::CoilSheetEmpty);
        return -1;
    }

    std::vector<std::string> keys;
    for (const auto& coil : doc.Coils) {
        const std::string key = MakeGroupKey(coil->Material, coil->Thickness);
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    }

    auto gather = [](const auto& records, const std::string& key, auto&& take) {
        using Record = typename std::decay_t<decltype(records)>::value_type::element_type;
        std::vector<Record*> out;
        for (const auto& r : records)
            if (take(*r) && MakeGroupKey(r->Material, r->Thickness) == key)
                out.push_back(r.get());
        return out;
    };
    auto inStock = [](const CCoil& c) { return c.Qty > 0; };
    auto wanted = [](const CCoilPart& p) { return p.PieceCount() > 0; };
    auto stopped = [stop, &doc] {
        if (!stop || !stop->StopRequested())
            return false;
        doc.Layouts.Clear();
        return true;
    };

    int result = -1;
    double least = 0.0;
    for (std::size_t g = 0; g < keys.size(); ++g) {
        const std::string& key = keys[g];
        try {
            if (stopped() ||
                (progress && !progress->BeforeGroup(static_cast<int>(g), static_cast<int>(keys.size()), key))) {
                doc.Layouts.Clear();
                return -1;
            }
            const auto coils = gather(doc.Coils, key, inStock);
            const auto parts = gather(doc.Parts, key, wanted);
            const auto slits = gather(doc.Slits, key, wanted);
            const auto fillers = gather(doc.Fillers, key, wanted);
            if (coils.empty() || (parts.empty() && slits.empty()))
                continue;
            const auto within = [progress](double share) {
                if (progress)
                    progress->WithinGroup(share);
            };
            CGroupStats stats{key, 0, 0, 0, {}, options.Engine, {}};
            std::unique_ptr<COptimiser> optimiser;
            int run = -1;
            if (options.Engine == EOptimiserEngine::Compatible) {
                auto compatible = std::make_unique<CPatternOptimiser>(coils, parts, slits, fillers, doc.Settings, stop);
                compatible->Progress = progress;
                const CMasterSolution bound = SolveMaster(*compatible, GroupTargets(*compatible), {}, stop, within);
                stats.Yield.LeastCoilWeight = bound.LeastCoilWeight;
                stats.Yield.ColumnsGenerated = bound.Columns.size();
                stats.Yield.Iterations = bound.Iterations;
                run = compatible->Run();
                stats.Run = compatible->Stats;
                optimiser = std::move(compatible);
            } else {
                auto best = std::make_unique<CYieldOptimiser>(coils, parts, slits, fillers, doc.Settings, stop, within);
                run = best->Run();
                stats.Yield = best->Stats;
                stats.Run.Columns = best->Stats.MipPatterns;
                stats.Run.Lp = best->Stats.Converged ? CLinearProgram::Outcome::Optimal
                                                     : CLinearProgram::Outcome::Suboptimal;
                stats.Run.Layouts = best->Stats.Layouts;
                optimiser = std::move(best);
            }
            if (stopped())
                return -1;
            if (optimiser->Outcome == EGroupOutcome::Optimised)
                result = std::max(result, run);
            else
                TellOutcome(messages, key, *optimiser, stats.Run.Lp);
            least += stats.Yield.LeastCoilWeight;
            stats.WorkingCoils = optimiser->WorkCoils.size();
            stats.Requirements = optimiser->WorkParts.size();
            stats.Widths = optimiser->Widths.size();
            if (progress)
                progress->AfterGroup(stats);
            while (!optimiser->Results.IsEmpty())
                doc.Layouts.Add(optimiser->Results.Remove(optimiser->Results.GetAt(0)));
        } catch (const std::bad_alloc&) {
            doc.Layouts.Clear();
            throw COptimiseError(ids::OutOfMemoryInGroup, {key});
        }
    }

    RoundUpToWholePieces(doc.Layouts);
    SequenceLayouts(doc.Layouts);
    if (doc.HasResults())
        doc.LeastCoilWeight = least;
    return result;
}

} // namespace vellicor

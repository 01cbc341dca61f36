#pragma once

#include "optimiser/optimiser.h"
#include "optimiser/pattern.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace vellicor {

class CStopToken;

// One coil-and-pattern pair of the master program; the pattern holds requirement widths only.
struct CGeneratedColumn {
    std::size_t Coil = 0; // into CoilInfos
    std::vector<SlitPos> Positions;
    double Total = 0.0;
};

// The master program at its end: every pair it was offered, the usable kg of each in its optimum,
// and how much of each requirement it could not meet from the stock.
struct CMasterSolution {
    std::vector<CGeneratedColumn> Columns;
    std::vector<double> X;
    std::vector<double> ReducedCost;
    std::vector<double> Shortfall; // per PartInfos entry, kg
    std::vector<double> Price;     // per PartInfos entry: the dual price of a kg
    // Coil weight with its trims, and its cost, of the program's optimum over every fitting
    // pattern; raised by the proven remaining gap when the generation had to stop early.
    double LeastCoilWeight = 0.0;
    double LeastCost = 0.0;
    // The program's objective: coil cost, and the charge for requirement weight left short.
    double Objective = 0.0;
    int Iterations = 0;
    bool Converged = false;
    bool Stopped = false;
};

// The fitting-pattern rules of one coil of the group.
struct CPatternRules;
CPatternRules RulesForCoil(const COptimiser& group, const CCoilInfo& coil);

// Each requirement's share of the coil's usable width in the pattern, per PartInfos entry.
std::vector<std::pair<std::size_t, double>> RequirementShares(const COptimiser& group,
                                                              const CGeneratedColumn& column);

// For each coil, the pattern of most worth at the master's prices that cuts `requirement`.
std::vector<CGeneratedColumn> PatternsWith(const COptimiser& group, const CMasterSolution& master,
                                           std::size_t requirement, const CStopToken* stop);

// What the master program has to produce (kg per PartInfos entry) and may use (usable kg per
// CoilInfos entry): the group's own figures, or what is left of them once some layouts are fixed.
struct CMasterTargets {
    std::vector<double> Demand;
    std::vector<double> Capacity;
};
CMasterTargets GroupTargets(const COptimiser& group);

// Column generation over the group's tables: the linear program over every fitting pattern of
// every coil, with exact pricing, minimising coil cost. It starts from `known` (besides every width
// repeated across every coil); `progress` is told the share done.
CMasterSolution SolveMaster(const COptimiser& group, const CMasterTargets& targets,
                            const std::vector<CGeneratedColumn>& known, const CStopToken* stop,
                            const std::function<void(double)>& progress);

} // namespace vellicor

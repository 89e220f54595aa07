#pragma once

#include "core/savingsplan.h"

#include <optional>

namespace pomiro {

// A plan's figures month by month, computed exactly: the plan's figures (savingsplan.h) and its
// goals (savingsgoal.h) are read from one of these. Defined in savingsplan.cpp.
class PlanWalk
{
public:
    // For terms that validTerms() takes; the walk starts at month 0, holding the start.
    explicit PlanWalk(const PlanTerms &terms);

    // One more month: the month's interest, then its amount.
    void addMonth();

    int months() const { return m_months; }

    // Whether the value is still within the range the walk carries; beyond it the plan shows no
    // figure, whatever the months to come.
    bool carried() const { return m_carried; }

    // What the plan shows now (after tax when the terms are taxed), in whole yen; none beyond the
    // Amount range.
    std::optional<Amount> shown() const;

    // Whether the figure shown now is at least `target`, also where it lies beyond the Amount
    // range.
    bool reaches(Amount target) const;

private:
    __extension__ typedef __int128 Wide;

    // The figure shown now in whole yen, not held to the Amount range; none beyond the range the
    // walk carries, where it is beyond every Amount.
    std::optional<Wide> shownYen() const;

    PlanTerms m_terms;
    Wide m_monthly; // 12 x the monthly amount, scaled as the value
    Wide m_growth;
    Wide m_value; // 12 x V(m), scaled
    int m_months = 0;
    bool m_carried = true;
};

} // namespace pomiro

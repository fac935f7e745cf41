#include "model/CRankingData.h"

void CRankingData::UpdateFixedDistance() {
    // Any road distance replaces the straight line, even a longer one.
    fixedDistance_ = routeDistance_ != 0.0 ? routeDistance_ : directDistance_;
}

void CRankingData::UpdateFixedDisposalCost() {
    fixedDisposalCost_ = manualDisposalCost_ != 0 ? manualDisposalCost_ : disposalCost_;
}

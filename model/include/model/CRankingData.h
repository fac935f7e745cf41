#pragma once

#include "platform/AnsiString.h"

#include <cstdint>

// One result row: what the result grid shows for one disposal site, then the site's plane
// position. Every value is set by the caller except the two derived ones, which the row works
// out on request. A new row has every number 0 and every text empty.
class CRankingData {
public:
    // Disposal site name; the row's identity between the result grid and CRankingList.
    void SetName(const AnsiString& name) { name_ = name; }
    const AnsiString& GetName() const { return name_; }

    // Straight-line distance from the work site, km (>= 0).
    void SetDirectDistance(double km) { directDistance_ = km; }
    double GetDirectDistance() const { return directDistance_; }

    // Road distance fetched from the route page or typed into the grid, km; 0 means none.
    void SetRouteDistance(double km) { routeDistance_ = km; }
    double GetRouteDistance() const { return routeDistance_; }

    // Distance used for pricing and ordering, km: the route distance when it is not 0, else the
    // direct distance. Call after every change of either distance.
    void UpdateFixedDistance();
    double GetFixedDistance() const { return fixedDistance_; }

    // 16-point direction of the site seen from the work site ("北北東").
    void SetDirection(const AnsiString& direction) { direction_ = direction; }
    const AnsiString& GetDirection() const { return direction_; }

    // Disposal fee from the fee table, yen.
    void SetDisposalCost(std::int32_t yen) { disposalCost_ = yen; }
    std::int32_t GetDisposalCost() const { return disposalCost_; }

    // Unit and source of the fee, shown as they stand.
    void SetUnit(const AnsiString& unit) { unit_ = unit; }
    const AnsiString& GetUnit() const { return unit_; }
    void SetSource(const AnsiString& source) { source_ = source; }
    const AnsiString& GetSource() const { return source_; }

    // Fee typed by the user into the grid, yen; 0 means none.
    void SetManualDisposalCost(std::int32_t yen) { manualDisposalCost_ = yen; }
    std::int32_t GetManualDisposalCost() const { return manualDisposalCost_; }

    // Fee used in the total, yen: the manual fee when it is not 0, else the computed fee. Call
    // after every change of either fee.
    void UpdateFixedDisposalCost();
    std::int32_t GetFixedDisposalCost() const { return fixedDisposalCost_; }

    // Transport cost by the current calculation method, yen.
    void SetTransportCost(std::int32_t yen) { transportCost_ = yen; }
    std::int32_t GetTransportCost() const { return transportCost_; }

    // Total cost, yen: transport cost plus fixed fee, or 0 as the caller decides.
    void SetTotalCost(std::int32_t yen) { totalCost_ = yen; }
    std::int32_t GetTotalCost() const { return totalCost_; }

    // Display rank given when the grid is filled; 0 means no rank.
    void SetRank(std::int32_t rank) { rank_ = rank; }
    std::int32_t GetRank() const { return rank_; }

    // Distance up to which the transport cost stays the same, as shown ("9.999km以下").
    void SetCostChangeDistance(const AnsiString& text) { costChangeDistance_ = text; }
    const AnsiString& GetCostChangeDistance() const { return costChangeDistance_; }

    // Plane rectangular position of the site, metres: X north, Y east.
    void SetX(double metres) { x_ = metres; }
    double GetX() const { return x_; }
    void SetY(double metres) { y_ = metres; }
    double GetY() const { return y_; }

private:
    AnsiString name_;
    double directDistance_ = 0.0;
    double routeDistance_ = 0.0;
    double fixedDistance_ = 0.0;
    AnsiString direction_;
    std::int32_t disposalCost_ = 0;
    AnsiString unit_;
    AnsiString source_;
    std::int32_t manualDisposalCost_ = 0;
    std::int32_t fixedDisposalCost_ = 0;
    std::int32_t transportCost_ = 0;
    std::int32_t totalCost_ = 0;
    std::int32_t rank_ = 0;
    AnsiString costChangeDistance_;
    double x_ = 0.0;
    double y_ = 0.0;
};

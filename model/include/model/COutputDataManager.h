#pragma once

#include "model/CBugakariList.h"
#include "model/CCoordinatesData.h"
#include "model/CDTTankaData.h"
#include "model/CSekouPackageData.h"
#include "model/CSyobunjoList.h"
#include "model/LMyMath.h"
#include "model/ParsedNumber.h"
#include "platform/AnsiString.h"

// The one object through which the main window reaches the price tables and the disposal sites.
// Loaded once at start-up (LoadData), set up for each calculation (SetCondition; in package
// mode SelectPackage and SetAreaPrices; then SetSiteCoordinates) and walked site by site with
// IsEnd / Next and the per-site operations.
//
// Arguments: area index = position in the area list (0 first); material type 0 reinforced-
// concrete rubble, 1 plain-concrete rubble, 2 asphalt-concrete rubble; haul kind = index of the
// haul type within the material type's list; distances in kilometres; coordinates X (north) and
// Y (east) in metres, latitude and longitude in decimal degrees; money in whole yen.
class COutputDataManager {
public:
    COutputDataManager() = default;
    COutputDataManager(const COutputDataManager&) = delete;
    COutputDataManager& operator=(const COutputDataManager&) = delete;

    // Loads every table from the working copies in "./dat/": the daily-price tables, the band
    // file ("DB01"), the disposal sites from the fee ("DT19") and coordinate ("DC01") tables
    // (only when both pass their check) and the package file ("DSP2"). A file that is not
    // found, cannot be read, holds no line, or whose loader raises an error adds its line
    // (LoadErrorLine); the result is those lines, "" when every table loaded. Errors that the
    // site lists raise outside their own messages (a missing category line, a coordinate that
    // is no number) pass out.
    AnsiString LoadData();

    // Sets the daily price of the area, material type and haul kind, selects the band table,
    // makes the material type's site list current with its cursor on the first site (no list
    // for a type outside 0-2) and sets the volume factor, rounding digits and unit divisor.
    // Raises what CDTTankaData::GetDTTanka raises, and then leaves the condition as it was.
    void SetCondition(int area, bool didSection, int materialType, int haulKind);
    // 1.37 for type 0; 1.0 for type 2 with haul kind 4; else 1.3.
    void SetVolumeFactor(int materialType, int haulKind);
    // Types 0 and 1: digits -1 for haul kinds 1-3, else -2; type 2: -1 for kinds 1 and 2, else
    // -2; other types leave it. The divisor is 10 with digits -1 and 100 with -2.
    void SetRoundingDigits(int materialType, int haulKind);
    void SetUnitDivisor(int materialType, int haulKind);

    // Selects the construction package by its key texts (CSekouPackageData::SelectPackage).
    bool SelectPackage(const AnsiString& key1, const AnsiString& key2);
    bool SelectPackage(const AnsiString& key1, const AnsiString& key2, const AnsiString& key3);
    bool SelectPackage(const AnsiString& key1, const AnsiString& key2, const AnsiString& key3,
                       const AnsiString& key4);
    // Gives the package its local prices: machine rent of its row, the wage, the fuel price of
    // the area. EListError for a row or area outside its table.
    void SetAreaPrices(int area);

    // Stores the work site's position (as 15-digit texts, so every later use sees it rounded
    // to 15 significant digits).
    void SetSiteCoordinates(double latitude, double longitude, double x, double y);

    // The current site list's cursor (CSyobunjoList::IsEnd, Next). Without a current list
    // IsEnd is true and Next false.
    bool IsEnd() const;
    bool Next();

    // The current site's fields; only while IsEnd() is false (EListError otherwise).
    AnsiString GetSyobunjoName() const;
    int GetSyobunjoDisposalCost() const;
    AnsiString GetSyobunjoUnit() const;
    AnsiString GetSyobunjoSource() const;
    double GetSyobunjoX() const;
    double GetSyobunjoY() const;

    // Straight-line plane distance in km from the work site to the current site, rounded half
    // up to one decimal; stores the differences dX, dY (work site less site, metres) for
    // GetDirection. EConvertError before the first SetSiteCoordinates.
    double CalcDistance();
    // The 16-point direction of the current site seen from the work site, from the dX and dY
    // of the last CalcDistance (CompassDirectionName); "" for a site at the work site's own
    // position (dX = dY = 0), which has no direction.
    AnsiString GetDirection() const;

    // Labour-rate transport cost: the band value of the distance times the volume factor
    // (rounded half up to 2 decimals) times the daily price, truncated to yen, rounded up by
    // the rounding digits and divided by the unit divisor. 0 beyond 60 km, for a band value of
    // 99999 or when no divisor is set. ERangeError when an amount does not fit in 32 bits,
    // EConvertError for a band text that is no number.
    int GetTransportCost(double km) const;
    // The band text of the distance ("...km以下").
    AnsiString GetCostChangeDistance(double km) const;
    // Construction-package transport cost and change-distance text of the distance
    // (CSekouPackageData::GetTransportCost, GetCostChangeDistance).
    int GetPackageTransportCost(double km) const;
    AnsiString GetPackageCostChangeDistance(double km) const;

    // The work site's stored latitude and longitude; EConvertError before they are set.
    double GetSiteLatitude() const;
    double GetSiteLongitude() const;

    // State for callers and tests.
    int GetDTTanka() const { return dtTanka_; }
    double GetVolumeFactor() const { return volumeFactor_; }
    int GetRoundingDigits() const { return roundingDigits_; }
    int GetUnitDivisor() const { return unitDivisor_; }
    const CBugakariList& GetBugakariList() const { return bugakariList_; }
    const CDTTankaData& GetDTTankaData() const { return dtTankaData_; }
    const CSekouPackageData& GetSekouPackageData() const { return sekouPackageData_; }
    const CCoordinatesData& GetCoordinates() const { return coordinates_; }
    // The site list of a material type (0-2); EListError for another type.
    const CSyobunjoList& GetSyobunjoList(int materialType) const;

private:
    const CSyobunjoData& CurrentSite() const;

    CBugakariList bugakariList_;
    CCoordinatesData coordinates_;
    // The work site's stored X and Y as numbers (before they are set, empty texts that raise).
    ParsedNumber siteX_;
    ParsedNumber siteY_;
    CDTTankaData dtTankaData_;
    CSyobunjoList syobunjoList0_;
    CSyobunjoList syobunjoList1_;
    CSyobunjoList syobunjoList2_;
    CSyobunjoList* currentList_ = nullptr;
    CSekouPackageData sekouPackageData_;
    LMyMath myMath_;
    double volumeFactor_ = 0.0;
    int roundingDigits_ = 0;
    int unitDivisor_ = 0;
    double dX_ = 0.0;
    double dY_ = 0.0;
    int dtTanka_ = 0;
};

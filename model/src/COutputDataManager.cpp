#include "model/COutputDataManager.h"

#include "model/CompassDirection.h"
#include "model/LFileOperate.h"
#include "model/LoadErrorLine.h"
#include "model/PriceConversion.h"
#include "model/SharedConstants.h"
#include "platform/Conversions.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"

#include <cmath>
#include <optional>
#include <string>

namespace {

// A data file passes its check when it was found, can be read as lines and holds one at least:
// when it can be read and holds a byte, since every byte belongs to a line.
bool HasLines(const AnsiString& path) {
    if (path.IsEmpty()) {
        return false;
    }
    const std::optional<std::string> bytes = fs932::ReadFileBytes(path);
    return bytes && !bytes->empty();
}

// Checks the data file with `code` and runs its loader when it passed; adds the file's error
// line when the check failed or the loader raised an error. True when both went well.
template <typename Load> bool CheckAndLoad(const AnsiString& code, AnsiString& errors, Load load) {
    const AnsiString path = LFileOperate().FindFile(code, DAT_FOLDER);
    bool passed = HasLines(path);
    if (passed) {
        try {
            load(path);
        } catch (const Exception&) {
            passed = false;
        }
    }
    if (!passed) {
        errors += LoadErrorLine(path);
    }
    return passed;
}

} // namespace

AnsiString COutputDataManager::LoadData() {
    AnsiString errors = dtTankaData_.LoadFromFiles();
    CheckAndLoad(CODE_DB01, errors, [this](const AnsiString&) { bugakariList_.LoadFromFile(); });
    const bool fees = CheckAndLoad(CODE_DT19, errors, [](const AnsiString&) {});
    const bool coordinates = CheckAndLoad(CODE_DC01, errors, [](const AnsiString&) {});
    if (fees && coordinates) {
        // Errors raised here (not the readers' own messages) pass out to the caller.
        syobunjoList0_.LoadFromFile(0);
        syobunjoList1_.LoadFromFile(1);
        syobunjoList2_.LoadFromFile(2);
    }
    CheckAndLoad(CODE_DSP2, errors,
                 [this](const AnsiString& path) { sekouPackageData_.LoadFromFile(path); });
    return errors;
}

void COutputDataManager::SetCondition(int area, bool didSection, int materialType, int haulKind) {
    dtTanka_ = dtTankaData_.GetDTTanka(area, materialType, haulKind);
    bugakariList_.Select(didSection, materialType, haulKind);
    switch (materialType) {
    case 0:
        currentList_ = &syobunjoList0_;
        break;
    case 1:
        currentList_ = &syobunjoList1_;
        break;
    case 2:
        currentList_ = &syobunjoList2_;
        break;
    default:
        currentList_ = nullptr;
        break;
    }
    if (currentList_) {
        currentList_->First();
    }
    SetVolumeFactor(materialType, haulKind);
    SetRoundingDigits(materialType, haulKind);
    SetUnitDivisor(materialType, haulKind);
}

void COutputDataManager::SetVolumeFactor(int materialType, int haulKind) {
    if (materialType == 0) {
        volumeFactor_ = 1.37;
    } else if (materialType == 2 && haulKind == 4) {
        volumeFactor_ = 1.0;
    } else {
        volumeFactor_ = 1.3;
    }
}

namespace {

// -1 (tens) or -2 (hundreds) for the combination; 0 for a material type outside 0-2.
int RoundingDigitsOf(int materialType, int haulKind) {
    if (materialType == 0 || materialType == 1) {
        return haulKind >= 1 && haulKind <= 3 ? -1 : -2;
    }
    if (materialType == 2) {
        return haulKind == 1 || haulKind == 2 ? -1 : -2;
    }
    return 0;
}

} // namespace

void COutputDataManager::SetRoundingDigits(int materialType, int haulKind) {
    if (const int digits = RoundingDigitsOf(materialType, haulKind)) {
        roundingDigits_ = digits;
    }
}

void COutputDataManager::SetUnitDivisor(int materialType, int haulKind) {
    if (const int digits = RoundingDigitsOf(materialType, haulKind)) {
        unitDivisor_ = digits == -1 ? 10 : 100;
    }
}

bool COutputDataManager::SelectPackage(const AnsiString& key1, const AnsiString& key2) {
    return sekouPackageData_.SelectPackage(key1, key2);
}

bool COutputDataManager::SelectPackage(const AnsiString& key1, const AnsiString& key2,
                                       const AnsiString& key3) {
    return sekouPackageData_.SelectPackage(key1, key2, key3);
}

bool COutputDataManager::SelectPackage(const AnsiString& key1, const AnsiString& key2,
                                       const AnsiString& key3, const AnsiString& key4) {
    return sekouPackageData_.SelectPackage(key1, key2, key3, key4);
}

void COutputDataManager::SetAreaPrices(int area) {
    const int row = sekouPackageData_.GetDTIndex();
    sekouPackageData_.SetLocalPrice1(dtTankaData_.GetMachinePrice(row));
    sekouPackageData_.SetLocalPrice2(dtTankaData_.GetWage());
    sekouPackageData_.SetLocalPrice3(dtTankaData_.GetFuelPrice(area));
}

void COutputDataManager::SetSiteCoordinates(double latitude, double longitude, double x, double y) {
    coordinates_.SetLatitude(FloatToStr(latitude));
    coordinates_.SetLongitude(FloatToStr(longitude));
    coordinates_.SetX(FloatToStr(x));
    coordinates_.SetY(FloatToStr(y));
    siteX_ = ParsedNumber(coordinates_.GetX());
    siteY_ = ParsedNumber(coordinates_.GetY());
}

bool COutputDataManager::IsEnd() const {
    return currentList_ ? currentList_->IsEnd() : true;
}

bool COutputDataManager::Next() {
    return currentList_ ? currentList_->Next() : false;
}

const CSyobunjoData& COutputDataManager::CurrentSite() const {
    if (!currentList_) {
        throw EListError::IndexOutOfBounds(0);
    }
    return *currentList_->GetCurrent();
}

AnsiString COutputDataManager::GetSyobunjoName() const {
    return CurrentSite().GetName();
}

int COutputDataManager::GetSyobunjoDisposalCost() const {
    return CurrentSite().GetDisposalCost();
}

AnsiString COutputDataManager::GetSyobunjoUnit() const {
    return CurrentSite().GetUnit();
}

AnsiString COutputDataManager::GetSyobunjoSource() const {
    return CurrentSite().GetSource();
}

double COutputDataManager::GetSyobunjoX() const {
    return CurrentSite().GetX();
}

double COutputDataManager::GetSyobunjoY() const {
    return CurrentSite().GetY();
}

double COutputDataManager::CalcDistance() {
    const double workX = siteX_.Value();
    const double workY = siteY_.Value();
    const CSyobunjoData& site = CurrentSite();
    dX_ = workX - site.GetX();
    dY_ = workY - site.GetY();
    const double d = std::sqrt(dX_ * dX_ + dY_ * dY_) * 0.001;
    return myMath_.RoundHalfUp(d, 1);
}

AnsiString COutputDataManager::GetDirection() const {
    if (dX_ == 0.0 && dY_ == 0.0) {
        return AnsiString(); // a site at the work site itself lies in no direction
    }
    return CompassDirectionName(myMath_.RadToDeg(std::atan2(dX_, dY_)));
}

int COutputDataManager::GetTransportCost(double km) const {
    const double value = bugakariList_.GetValue(km);
    if (value == 99999.0 || unitDivisor_ == 0) {
        return 0;
    }
    const double r = myMath_.RoundHalfUp(value * volumeFactor_, 2);
    const int c = TruncateToPrice(dtTanka_ * r);
    const int d = TruncateToPrice(myMath_.RoundUp(c, roundingDigits_));
    return d / unitDivisor_;
}

AnsiString COutputDataManager::GetCostChangeDistance(double km) const {
    return bugakariList_.GetBandText(km);
}

int COutputDataManager::GetPackageTransportCost(double km) const {
    return sekouPackageData_.GetTransportCost(km);
}

AnsiString COutputDataManager::GetPackageCostChangeDistance(double km) const {
    return sekouPackageData_.GetCostChangeDistance(km);
}

double COutputDataManager::GetSiteLatitude() const {
    return StrToFloat(coordinates_.GetLatitude());
}

double COutputDataManager::GetSiteLongitude() const {
    return StrToFloat(coordinates_.GetLongitude());
}

const CSyobunjoList& COutputDataManager::GetSyobunjoList(int materialType) const {
    switch (materialType) {
    case 0:
        return syobunjoList0_;
    case 1:
        return syobunjoList1_;
    case 2:
        return syobunjoList2_;
    default:
        throw EListError::IndexOutOfBounds(materialType);
    }
}

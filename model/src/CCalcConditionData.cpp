#include "model/CCalcConditionData.h"

void CCalcConditionData::SetBugakariHimoku(std::int32_t index) {
    bugakariHimoku_ = index;
}

std::int32_t CCalcConditionData::GetBugakariHimoku() const {
    return bugakariHimoku_;
}

void CCalcConditionData::SetBugakariSyubetsu(std::int32_t index) {
    bugakariSyubetsu_ = index;
}

std::int32_t CCalcConditionData::GetBugakariSyubetsu() const {
    return bugakariSyubetsu_;
}

void CCalcConditionData::SetSPHimoku(std::int32_t index) {
    spHimoku_ = index;
}

std::int32_t CCalcConditionData::GetSPHimoku() const {
    return spHimoku_;
}

void CCalcConditionData::SetSPSyubetsu(std::int32_t index) {
    spSyubetsu_ = index;
}

std::int32_t CCalcConditionData::GetSPSyubetsu() const {
    return spSyubetsu_;
}

void CCalcConditionData::SetSPGaraHassei(std::int32_t index) {
    spGaraHassei_ = index;
}

std::int32_t CCalcConditionData::GetSPGaraHassei() const {
    return spGaraHassei_;
}

void CCalcConditionData::SetSPTsumikomi(std::int32_t index) {
    spTsumikomi_ = index;
}

std::int32_t CCalcConditionData::GetSPTsumikomi() const {
    return spTsumikomi_;
}

void CCalcConditionData::SetBugakariDID(bool did) {
    bugakariDID_ = did ? 1 : 0;
}

bool CCalcConditionData::IsBugakariDID() const {
    return bugakariDID_ != 0;
}

void CCalcConditionData::SetSPSekisai(std::int32_t index) {
    spSekisai_ = index;
}

void CCalcConditionData::SetSPJinkai(std::int32_t index) {
    spJinkai_ = index;
}

void CCalcConditionData::SetSPDTCarry(bool carry) {
    spDTCarry_ = carry;
}

bool CCalcConditionData::IsSPDTCarry() const {
    return spDTCarry_;
}

void CCalcConditionData::SetSPDID(bool did) {
    spDID_ = did;
}

bool CCalcConditionData::IsSPDID() const {
    return spDID_;
}

#pragma once

#include <cstdint>

// The selections of the last calculation in each mode, so that switching back to a mode
// restores them. Indexes are combo-box indexes as the boxes give them, -1 (no selection)
// included; nothing is validated. Everything is 0 or false at construction.
class CCalcConditionData {
public:
    // Labour-rate mode ("bugakari").
    void SetBugakariHimoku(std::int32_t index);
    std::int32_t GetBugakariHimoku() const;
    void SetBugakariSyubetsu(std::int32_t index);
    std::int32_t GetBugakariSyubetsu() const;
    // Whether "DID区間有" was checked; kept as 0 or 1.
    void SetBugakariDID(bool did);
    bool IsBugakariDID() const;

    // Construction-package mode ("sp").
    void SetSPHimoku(std::int32_t index);
    std::int32_t GetSPHimoku() const;
    void SetSPSyubetsu(std::int32_t index);
    std::int32_t GetSPSyubetsu() const;
    void SetSPGaraHassei(std::int32_t index);
    std::int32_t GetSPGaraHassei() const;
    void SetSPTsumikomi(std::int32_t index);
    std::int32_t GetSPTsumikomi() const;
    // Load class and refuse kind are remembered but never restored, so they have no getter.
    void SetSPSekisai(std::int32_t index);
    void SetSPJinkai(std::int32_t index);
    // Whether "ﾀﾞﾝﾌﾟﾄﾗｯｸ持込" was checked.
    void SetSPDTCarry(bool carry);
    bool IsSPDTCarry() const;
    // Whether "DID区間有" was checked.
    void SetSPDID(bool did);
    bool IsSPDID() const;

private:
    std::int32_t bugakariHimoku_ = 0;
    std::int32_t bugakariSyubetsu_ = 0;
    std::int32_t bugakariDID_ = 0;
    std::int32_t spHimoku_ = 0;
    std::int32_t spSyubetsu_ = 0;
    std::int32_t spGaraHassei_ = 0;
    std::int32_t spTsumikomi_ = 0;
    std::int32_t spSekisai_ = 0;
    std::int32_t spJinkai_ = 0;
    bool spDTCarry_ = false;
    bool spDID_ = false;
};

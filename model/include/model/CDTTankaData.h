#pragma once

#include "platform/AnsiString.h"
#include "platform/TStringList.h"

// The unit-price tables that price one day of a dump truck with its driver, and the daily price
// computed from them. Prices are whole yen. Area index: position in the area list (0 first).
// Material type: 0 reinforced-concrete rubble, 1 plain-concrete rubble, 2 asphalt-concrete
// rubble. Haul kind: index of the haul type within the material type's list. Truck class:
// 0 = 10 t, 1 = 4 t, 2 = 2 t.
class CDTTankaData {
public:
    CDTTankaData() = default;

    // Runs the four table readers (labour, fuel, machine rent, wear, in this order, each whatever
    // the others gave) on the working copies in "./dat/". Returns one error line per failed
    // reader, in that order (see LoadErrorLine), or "" when all succeeded.
    AnsiString LoadFromFiles();

    // Each reader finds its working copy by code and skips the file's first line, which is not
    // data. A missing, unreadable or empty file fails and leaves the member as it was.
    // Labour (code "DR01"): wage = the C atol value of line 1; a file without line 1 fails.
    bool LoadWage();
    // Fuel per area index (code "DT02"): kept line k is file line k + 1.
    bool LoadFuelPrices();
    // Machine rent per row (code "DS24"): rows 0-2 are the truck classes, further rows are named
    // by construction packages.
    bool LoadMachinePrices();
    // Wear per truck class (code "DS22").
    bool LoadWearPrices();

    // Reads the quantity section of the combination from "./dat/DTTankaSuryo.ini" (opened anew
    // at every call) into the quantity lines and sets `truckClass`. A combination without a
    // section changes neither. A missing file or section gives no quantity lines; a file that
    // exists but cannot be read raises EFOpenError. The haul kind is compared unsigned, so a
    // negative kind has no section.
    void SelectQuantitySection(int materialType, int haulKind, int& truckClass);

    // The dump-truck daily price in yen: labour quantity x wage + fuel price of the area x fuel
    // quantity + floor(machine-rent quantity x rent of the truck class) + floor(wear quantity x
    // wear price of the truck class). Raises EListError for an index outside its table (also a
    // quantity section of fewer than four lines), EConvertError for a line that is not a number
    // of its kind (labour and fuel quantities are whole numbers), and ERangeError when a term or
    // the price does not fit in 32 bits.
    int GetDTTanka(int area, int materialType, int haulKind);
    int CalcDTTanka(int area, int materialType, int haulKind);

    int GetWage() const { return wage_; }
    // The table line of the index as a whole number; EListError outside the table, EConvertError
    // for a line that is no whole number.
    int GetFuelPrice(int area) const;
    int GetMachinePrice(int row) const;
    int GetWearPrice(int truckClass) const;

    // The quantity lines of the last chosen section (empty before the first price).
    const TStringList& GetQuantityLines() const { return quantityLines_; }

private:
    // Loads the lines after the first one of the working copy with `code` into `lines`.
    static bool LoadPriceLines(const AnsiString& code, TStringList& lines);

    int wage_ = 0;
    TStringList fuelLines_;
    TStringList machineLines_;
    TStringList wearLines_;
    TStringList quantityLines_;
};

#pragma once

#include "platform/AnsiString.h"

// One registered disposal site: the key of its line in the coordinate table, its name, its
// disposal fee in whole yen with the fee's unit and source, and its plane rectangular position
// in metres (X north, Y east; 0 until set).
class CSyobunjoData {
public:
    CSyobunjoData() = default;

    void SetKey(const AnsiString& key) { key_ = key; }
    void SetName(const AnsiString& name) { name_ = name; }
    // "" gives 0, else the text's whole-number value; EConvertError for a text that is no
    // 32-bit whole number (nothing is changed then).
    void SetDisposalCost(const AnsiString& text);
    void SetUnit(const AnsiString& unit) { unit_ = unit; }
    void SetSource(const AnsiString& source) { source_ = source; }
    // "" gives 0, else the text's decimal value in metres; EConvertError for a text that is no
    // number.
    void SetX(const AnsiString& text);
    void SetY(const AnsiString& text);

    const AnsiString& GetKey() const { return key_; }
    const AnsiString& GetName() const { return name_; }
    int GetDisposalCost() const { return disposalCost_; }
    const AnsiString& GetUnit() const { return unit_; }
    const AnsiString& GetSource() const { return source_; }
    double GetX() const { return x_; }
    double GetY() const { return y_; }

private:
    AnsiString key_;
    AnsiString name_;
    int disposalCost_ = 0;
    AnsiString unit_;
    AnsiString source_;
    double x_ = 0.0;
    double y_ = 0.0;
};

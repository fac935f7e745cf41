#include "model/PriceConversion.h"

#include "platform/Conversions.h"
#include "platform/Exceptions.h"

#include <cmath>
#include <limits>

std::int32_t TruncateToPrice(double amount) {
    const double whole = std::trunc(amount);
    // The comparisons are false for a NaN, so it falls through to the error as well.
    if (whole >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
        whole <= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return static_cast<std::int32_t>(whole);
    }
    throw ERangeError("金額 " + FloatToStr(amount).ToUtf8() +
                      " は整数の範囲を超えているため計算できません。");
}

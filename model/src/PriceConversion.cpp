#include "model/PriceConversion.h"

#include "platform/Conversions.h"
#include "platform/Exceptions.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

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

std::int32_t AddPrices(std::int32_t first, std::int32_t second) {
    const std::int64_t sum = static_cast<std::int64_t>(first) + second;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max()) {
        throw ERangeError("金額の合計 " + std::to_string(first) + " + " + std::to_string(second) +
                          " は整数の範囲を超えているため計算できません。");
    }
    return static_cast<std::int32_t>(sum);
}

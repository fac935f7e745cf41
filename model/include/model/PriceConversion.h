#pragma once

#include <cstdint>

// Turns a computed amount of yen into the 32-bit whole yen the cost model keeps, truncating
// toward zero. An amount that is not a number, is infinite, or whose truncated value lies
// outside -2147483648..2147483647 has no price: it raises ERangeError (with a message the
// caller's error display can show) instead of an undefined or wrapped number.
std::int32_t TruncateToPrice(double amount);

// The sum of two amounts of whole yen (a transport cost and a disposal fee). A sum outside the
// 32-bit range raises ERangeError instead of wrapping into a negative total.
std::int32_t AddPrices(std::int32_t first, std::int32_t second);

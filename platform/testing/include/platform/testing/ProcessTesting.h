#pragma once

#include "platform/AnsiString.h"

#include <cstdint>
#include <functional>
#include <vector>

// Ids of the running processes whose executable has exactly this name, in list order.
std::vector<std::uint32_t> ProcessIdsNamed(const AnsiString& name);

// Polls the condition every 10 ms until it holds or five seconds have passed; the last answer.
bool Eventually(const std::function<bool()>& condition);

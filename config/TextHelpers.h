#pragma once
// Decimal and substring helpers over GBK texts; positions are 1-based.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qev {

std::string IntToText(int32_t n);

size_t PosFrom(std::string_view sub, std::string_view s, size_t start);
std::string StrReplaceAll(std::string_view s, std::string_view oldPart, std::string_view newPart);

// count UTF-16 units of a GBK text from 1-based position start.
std::string WideMid(std::string_view s, int start, int count);

}  // namespace qev

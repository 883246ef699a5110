// The platforms' ways of writing digit grouping, turned into the group sizes the core reads.
#pragma once

#include <string_view>
#include <vector>

namespace levelwise::form {

// The C library's localeconv() grouping: one size per char from the decimal separator
// leftwards, the last repeating; CHAR_MAX (or a negative char) ends the grouping. An empty
// string says nothing, and groups of three stand.
std::vector<unsigned> GroupSizesFromPosix(std::string_view grouping);

// Windows' LOCALE_SGROUPING: sizes separated by ';', such as "3;0" (1,234,567), "3;2;0"
// (12,34,567) or "3" (1234,567): a final 0 repeats the size before it, and without one the
// grouping ends after the sizes given.
std::vector<unsigned> GroupSizesFromWindows(std::u16string_view grouping);

// A browser's: the integer part of a seven-digit sample as its number format writes it, with
// its group separator ("12,34,567" and "," give 3, 2). A size repeats unless the part left of
// it is longer ("1234,567": 3, then no more groups). No separator, or none in the sample:
// 0, no groups at all.
std::vector<unsigned> GroupSizesFromSample(std::u16string_view sample,
                                           std::u16string_view separator);

}  // namespace levelwise::form

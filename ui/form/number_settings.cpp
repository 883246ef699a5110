#include "number_settings.h"

#include <algorithm>
#include <climits>

namespace levelwise::form {

std::vector<unsigned> GroupSizesFromPosix(std::string_view grouping)
{
    std::vector<unsigned> sizes;
    for (const char size : grouping) {
        if (size == CHAR_MAX || size <= 0) {
            if (size != 0)
                sizes.push_back(0);  // no grouping beyond the sizes so far
            break;
        }
        sizes.push_back(static_cast<unsigned>(size));
    }
    if (sizes.empty())
        sizes.push_back(3);
    return sizes;
}

std::vector<unsigned> GroupSizesFromWindows(std::u16string_view grouping)
{
    std::vector<unsigned> sizes;
    unsigned current = 0;
    bool digits = false;
    for (const char16_t c : grouping) {
        if (c >= u'0' && c <= u'9') {
            current = current * 10 + unsigned(c - u'0');
            digits = true;
            if (current > 99)
                return {3};  // not a grouping any Windows version writes
        } else if (c == u';' && digits) {
            sizes.push_back(current);
            current = 0;
            digits = false;
        } else {
            return {3};
        }
    }
    if (digits)
        sizes.push_back(current);
    if (sizes.empty())
        return {3};
    if (sizes.back() == 0 && sizes.size() > 1)
        sizes.pop_back();  // "3;0": the 3 repeats
    else if (sizes.back() != 0)
        sizes.push_back(0);  // "3": one group of three, then none
    return sizes;
}

std::vector<unsigned> GroupSizesFromSample(std::u16string_view sample,
                                           std::u16string_view separator)
{
    std::vector<std::size_t> parts;  // the digit runs' lengths, left to right
    for (std::size_t start = 0; !separator.empty();) {
        const std::size_t at = sample.find(separator, start);
        parts.push_back((at == std::u16string_view::npos ? sample.size() : at) - start);
        if (at == std::u16string_view::npos)
            break;
        start = at + separator.size();
    }
    std::reverse(parts.begin(), parts.end());
    if (parts.size() < 2)
        return {0};
    std::vector<unsigned> sizes{unsigned(parts[0])};
    if (parts.size() > 2 && parts[1] != parts[0])
        sizes.push_back(unsigned(parts[1]));  // the last size given repeats
    else if (parts.size() == 2 && parts[1] > parts[0])
        sizes.push_back(0);  // no group beyond the first
    return sizes;
}

}  // namespace levelwise::form

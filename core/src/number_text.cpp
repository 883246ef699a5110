// Reading prices from the user's text and writing levels back as text.
#include "retracement.h"

#include "nearest_rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace levelwise {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// Group separators that stand for one another: the spaces (ordinary, no-break, narrow
// no-break, thin) and the apostrophes (typewriter, right single quotation mark). Settings name
// one; people type whichever their keyboard, their system or a copied text gives them.
int SeparatorFamily(char16_t c)
{
    switch (c) {
    case u' ':
    case u'\u00A0':
    case u'\u202F':
    case u'\u2009': return 1;
    case u'\'':
    case u'\u2019': return 2;
    default: return 0;
    }
}

// Saturation bound of the exponent's value. Any text that fits in memory moves the decimal
// point by far less than this, so a saturated exponent still gives the right verdict.
constexpr long long kExponentBound = 100'000'000'000'000'000;

// Powers of ten of the leading significant digit beyond which the verdict needs no
// conversion: 1E+309 is above the largest double, 1E-325 below half the smallest subnormal.
constexpr long long kOverflowOrder = 309;
constexpr long long kUnderflowOrder = -326;

// Walks a price text once, keeping its significant digits and the power of ten of the
// leading one, then hands std::from_chars a short normalised form: [-]0.digits e order.
class PriceScanner {
public:
    PriceScanner(std::u16string_view text, const NumberSettings &settings)
        : m_text(text), m_settings(settings)
    {
    }

    ParsedPrice Scan()
    {
        SkipSpaces();
        if (Peek(u'+') || Peek(u'-')) {
            m_negative = m_text[m_pos] == u'-';
            ++m_pos;
        }
        if (!ScanIntegerPart())
            return Failure(PriceFailure::ConversionError);
        ScanFraction();
        if (!m_sawDigit)
            return Failure(PriceFailure::ConversionError);
        if ((Peek(u'e') || Peek(u'E')) && !ScanExponent())
            return Failure(PriceFailure::ConversionError);
        SkipSpaces();
        if (m_pos != m_text.size())
            return Failure(PriceFailure::ConversionError);
        return Convert();
    }

private:
    bool Peek(char16_t c) const { return m_pos < m_text.size() && m_text[m_pos] == c; }
    bool PeekDigit() const { return m_pos < m_text.size() && IsDigit(m_text[m_pos]); }
    bool PeekText(std::u16string_view s) const
    {
        return !s.empty() && m_text.substr(m_pos).starts_with(s);
    }

    void SkipSpaces()
    {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }

    void TakeDigit(bool beforePoint)
    {
        const char digit = static_cast<char>(m_text[m_pos++]);
        m_sawDigit = true;
        if (digit != '0' || !m_digits.empty()) {
            m_digits += digit;
            if (beforePoint)
                ++m_order;
        } else if (!beforePoint) {
            --m_order;  // a zero between the point and the first significant digit
        }
    }

    // Length of the group separator at the current position, 0 if there is none.
    std::size_t GroupSeparatorLength() const
    {
        const std::u16string &separator = m_settings.groupSeparator;
        if (PeekText(separator))
            return separator.size();
        if (separator.size() == 1 && m_pos < m_text.size() &&
            SeparatorFamily(separator[0]) != 0 &&
            SeparatorFamily(m_text[m_pos]) == SeparatorFamily(separator[0]))
            return 1;
        return 0;
    }

    // The digits before the decimal separator, with group separators only between digits.
    // False when a separator stands where the settings' grouping puts none.
    bool ScanIntegerPart()
    {
        std::vector<std::size_t> groups;  // filled only once a separator shows up
        std::size_t run = 0;
        while (m_pos < m_text.size()) {
            if (PeekDigit()) {
                TakeDigit(true);
                ++run;
                continue;
            }
            if (!m_sawDigit || PeekText(m_settings.decimalSeparator))
                break;
            const std::size_t length = GroupSeparatorLength();
            const std::size_t next = m_pos + length;
            if (length == 0 || next >= m_text.size() || !IsDigit(m_text[next]))
                break;
            m_pos = next;
            groups.push_back(run);
            run = 0;
        }
        if (groups.empty())
            return true;
        groups.push_back(run);
        return GroupsFitTheSettings(groups);
    }

    // Groups left to right. Counted from the right, group i must hold exactly the i-th size
    // of the settings (the last size repeating); the leftmost group may be shorter.
    bool GroupsFitTheSettings(const std::vector<std::size_t> &groups) const
    {
        const std::vector<unsigned> &sizes = m_settings.groupSizes;
        const std::size_t count = groups.size();
        for (std::size_t fromRight = 0; fromRight < count; ++fromRight) {
            const std::size_t group = groups[count - 1 - fromRight];
            if (sizes.empty())
                return false;
            const unsigned size = sizes[std::min(fromRight, sizes.size() - 1)];
            const bool leftmost = fromRight + 1 == count;
            if (size == 0)  // grouping has ended: only the leftmost digits may stand here
                return leftmost && fromRight > 0;
            if (leftmost ? group > size : group != size)
                return false;
        }
        return true;
    }

    void ScanFraction()
    {
        if (!PeekText(m_settings.decimalSeparator))
            return;
        m_pos += m_settings.decimalSeparator.size();
        while (PeekDigit())
            TakeDigit(false);
    }

    bool ScanExponent()
    {
        ++m_pos;
        bool negative = false;
        if (Peek(u'+') || Peek(u'-')) {
            negative = m_text[m_pos] == u'-';
            ++m_pos;
        }
        if (!PeekDigit())
            return false;
        long long exponent = 0;
        while (PeekDigit()) {
            const int digit = m_text[m_pos++] - u'0';
            if (exponent < kExponentBound)
                exponent = std::min(exponent * 10 + digit, kExponentBound);
        }
        m_order += negative ? -exponent : exponent;
        return true;
    }

    ParsedPrice Convert() const
    {
        const double zero = m_negative ? -0.0 : 0.0;
        // m_order is the power of ten just above the leading digit: 0.digits x 10^m_order.
        if (m_digits.empty() || m_order - 1 < kUnderflowOrder)
            return {zero, std::nullopt};
        if (m_order - 1 >= kOverflowOrder)
            return Failure(PriceFailure::Overflow);

        std::string plain = m_negative ? "-0." : "0.";
        plain += m_digits;
        char exponent[24];
        plain += 'e';
        plain.append(exponent, std::to_chars(exponent, exponent + sizeof exponent, m_order).ptr);
        ParsedPrice result;
        const char *first = plain.data();
        const char *last = first + plain.size();
        const auto [end, error] = std::from_chars(first, last, result.value);
        if (error == std::errc::result_out_of_range) {
            if (m_order > 0)
                return Failure(PriceFailure::Overflow);
            return {zero, std::nullopt};
        }
        if (error != std::errc{} || end != last)
            return Failure(PriceFailure::ConversionError);
        return result;
    }

    static ParsedPrice Failure(PriceFailure failure) { return {0.0, failure}; }

    std::u16string_view m_text;
    const NumberSettings &m_settings;
    std::size_t m_pos = 0;
    bool m_negative = false;
    bool m_sawDigit = false;
    std::string m_digits;   // significant digits, without the leading zeros
    long long m_order = 0;  // the value is 0.m_digits x 10^m_order
};

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The exact decimal digits of a double's magnitude and where its decimal point falls:
// value = digits x 10^-fractionDigits. Integer arithmetic only: a level's text depends on its
// bits alone, and the web module carries none of the library's 100 KB of tables for printing
// doubles to a given precision.
struct ExactDecimal {
    std::string digits;
    int fractionDigits = 0;
};

ExactDecimal ExactDigits(double magnitude)
{
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;  // magnitude = mantissa x 2^exponent
    for (; mantissa % 2 == 0 && exponent < 0; mantissa /= 2)
        ++exponent;  // whole numbers then take no fraction digits at all

    // Little-endian limbs of nine decimal digits each.
    constexpr std::uint64_t kLimb = 1'000'000'000;
    std::vector<std::uint64_t> limbs;
    for (; mantissa != 0; mantissa /= kLimb)
        limbs.push_back(mantissa % kLimb);
    const auto multiply = [&limbs](std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (auto &limb : limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = product % kLimb;
            carry = product / kLimb;
        }
        for (; carry != 0; carry /= kLimb)
            limbs.push_back(carry % kLimb);
    };
    // 2^-n = 5^n / 10^n: a fraction in binary is a longer integer in decimal.
    ExactDecimal exact;
    for (; exponent > 0; exponent -= std::min(exponent, 28))
        multiply(std::uint64_t{1} << std::min(exponent, 28));
    for (; exponent < 0; ++exponent, ++exact.fractionDigits)
        multiply(5);

    char chunk[16];
    exact.digits.assign(chunk, std::to_chars(chunk, chunk + sizeof chunk, limbs.back()).ptr);
    for (auto limb = limbs.rbegin() + 1; limb != limbs.rend(); ++limb) {
        const std::string_view digits(chunk, std::to_chars(chunk, chunk + sizeof chunk, *limb).ptr);
        exact.digits.append(9 - digits.size(), '0').append(digits);
    }
    return exact;
}

// Keeps the first `count` digits of an exact decimal, rounding half to even on all the
// digits dropped, as printf does; true when a carry ran out of digits (999 -> 1000).
bool RoundToDigits(std::string &digits, std::size_t count)
{
    if (digits.size() <= count)
        return false;
    const char first = digits[count];
    const bool beyondHalf = digits.find_first_not_of('0', count + 1) != std::string::npos;
    const bool odd = count > 0 && (digits[count - 1] - '0') % 2 == 1;
    digits.resize(count);
    if (first < '5' || (first == '5' && !beyondHalf && !odd))
        return false;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return false;
        }
        *digit = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// Levels below 1E+15 in plain digits, rounded to whole: "15669".
std::string PlainText(double magnitude)
{
    if (magnitude <= 0.5)
        return "0";  // 0.5 is a tie, and half goes to the even zero
    ExactDecimal exact = ExactDigits(magnitude);
    const std::size_t fraction = std::size_t(exact.fractionDigits);
    if (exact.digits.size() <= fraction)  // below one: a leading "0" before the point
        exact.digits.insert(0, fraction + 1 - exact.digits.size(), '0');
    RoundToDigits(exact.digits, exact.digits.size() - fraction);
    return exact.digits;
}

// Levels from 1E+15 up, 15 significant digits in exponent form without trailing zeros:
// "2.36E+307", with the settings' decimal separator.
std::u16string ExponentForm(double magnitude, const NumberSettings &settings)
{
    ExactDecimal exact = ExactDigits(magnitude);
    int exponent = int(exact.digits.size()) - 1 - exact.fractionDigits;
    if (RoundToDigits(exact.digits, 15))
        ++exponent;
    exact.digits.erase(exact.digits.find_last_not_of('0') + 1);

    std::u16string text(1, char16_t(exact.digits[0]));
    if (exact.digits.size() > 1) {
        text += settings.decimalSeparator;
        text += Widen(std::string_view(exact.digits).substr(1));
    }
    char power[8];
    return text + u"E+" + Widen({power, std::to_chars(power, power + sizeof power, exponent).ptr});
}

}  // namespace

ParsedPrice ParsePrice(std::u16string_view text, const NumberSettings &settings)
{
    detail::NearestRounding nearest;
    return PriceScanner(text, settings).Scan();
}

std::u16string LevelText(double level, const NumberSettings &settings)
{
    if (!std::isfinite(level))
        return std::isnan(level) ? u"nan" : level < 0 ? u"-inf" : u"inf";
    if (level == 0.0)
        return u"0";
    const double magnitude = std::fabs(level);
    std::u16string text =
        magnitude < 1e15 ? Widen(PlainText(magnitude)) : ExponentForm(magnitude, settings);
    // A level that rounds to zero is just zero to a trader, whatever its sign.
    if (std::signbit(level) && text != u"0")
        text.insert(text.begin(), u'-');
    return text;
}

}  // namespace levelwise

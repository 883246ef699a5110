// Reading prices from the user's text and writing levels back as text.
#include "retracement.h"

#include "nearest_rounding.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace levelwise {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// Where grouping is a no-break or thin space, people type an ordinary space instead.
bool IsSpaceLike(std::u16string_view separator)
{
    return separator == u"\u00A0" || separator == u"\u202F" || separator == u"\u2009";
}

// Walks a price text once, copying its number into the plain form std::from_chars reads:
// [-]digits[.digits][e[-]digits].
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
            if (m_text[m_pos] == u'-')
                m_plain += '-';
            ++m_pos;
        }
        ScanIntegerPart();
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
        m_plain += digit;
        m_sawDigit = true;
        if (digit != '0' || m_significantDigits > 0) {
            if (m_significantDigits == 0)
                m_leadingZerosAfterPoint = beforePoint ? -1 : m_fractionZeros;
            ++m_significantDigits;
            if (beforePoint)
                ++m_integerSignificant;
        } else if (!beforePoint) {
            ++m_fractionZeros;
        }
    }

    // Length of the group separator at the current position, 0 if there is none.
    std::size_t GroupSeparatorLength() const
    {
        if (PeekText(m_settings.groupSeparator))
            return m_settings.groupSeparator.size();
        if (IsSpaceLike(m_settings.groupSeparator) && Peek(u' '))
            return 1;
        return 0;
    }

    void ScanIntegerPart()
    {
        while (m_pos < m_text.size()) {
            if (PeekDigit()) {
                TakeDigit(true);
                continue;
            }
            if (!m_sawDigit || PeekText(m_settings.decimalSeparator))
                return;
            // A group separator counts only between two digits: "15,620" but not "15,,620".
            const std::size_t length = GroupSeparatorLength();
            const std::size_t next = m_pos + length;
            if (length == 0 || next >= m_text.size() || !IsDigit(m_text[next]))
                return;
            m_pos = next;
        }
    }

    void ScanFraction()
    {
        if (!PeekText(m_settings.decimalSeparator))
            return;
        m_pos += m_settings.decimalSeparator.size();
        m_plain += '.';
        while (PeekDigit())
            TakeDigit(false);
    }

    bool ScanExponent()
    {
        ++m_pos;
        m_plain += 'e';
        bool negative = false;
        if (Peek(u'+') || Peek(u'-')) {
            negative = m_text[m_pos] == u'-';
            if (negative)
                m_plain += '-';
            ++m_pos;
        }
        if (!PeekDigit())
            return false;
        long exponent = 0;
        while (PeekDigit()) {
            const int digit = m_text[m_pos] - u'0';
            m_plain += static_cast<char>(m_text[m_pos++]);
            if (exponent < 1'000'000)
                exponent = exponent * 10 + digit;  // saturates: only its order matters below
        }
        m_exponent = negative ? -exponent : exponent;
        return true;
    }

    ParsedPrice Convert() const
    {
        ParsedPrice result;
        const char *first = m_plain.data();
        const char *last = first + m_plain.size();
        const auto [end, error] = std::from_chars(first, last, result.value);
        if (error == std::errc::result_out_of_range) {
            // Too large for a double is an overflow; too small rounds to zero.
            if (DecimalOrder() >= 0)
                return Failure(PriceFailure::Overflow);
            result.value = m_plain.front() == '-' ? -0.0 : 0.0;
            return result;
        }
        if (error != std::errc{} || end != last)
            return Failure(PriceFailure::ConversionError);
        return result;
    }

    // The power of ten of the leading significant digit (0 for 1..9); only its sign is used.
    long DecimalOrder() const
    {
        if (m_significantDigits == 0)
            return -1;
        const long order = m_integerSignificant > 0 ? m_integerSignificant - 1
                                                    : -(m_leadingZerosAfterPoint + 1);
        return order + m_exponent;
    }

    static ParsedPrice Failure(PriceFailure failure) { return {0.0, failure}; }

    std::u16string_view m_text;
    const NumberSettings &m_settings;
    std::size_t m_pos = 0;
    std::string m_plain;
    bool m_sawDigit = false;
    long m_significantDigits = 0;
    long m_integerSignificant = 0;
    long m_fractionZeros = 0;
    long m_leadingZerosAfterPoint = 0;
    long m_exponent = 0;
};

std::u16string Widen(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// "2.36000000000000e+307" -> "2.36E+307", with the settings' decimal separator.
std::u16string ExponentForm(std::string_view scientific, const NumberSettings &settings)
{
    const std::size_t e = scientific.find('e');
    std::string_view mantissa = scientific.substr(0, e);
    if (mantissa.find('.') != std::string_view::npos) {
        mantissa = mantissa.substr(0, mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.')
            mantissa.remove_suffix(1);
    }
    std::u16string text;
    for (const char c : mantissa) {
        if (c == '.')
            text += settings.decimalSeparator;
        else
            text += static_cast<char16_t>(c);
    }
    text += u'E';
    text += Widen(scientific.substr(e + 1));
    return text;
}

}  // namespace

ParsedPrice ParsePrice(std::u16string_view text, const NumberSettings &settings)
{
    detail::NearestRounding nearest;
    return PriceScanner(text, settings).Scan();
}

std::u16string LevelText(double level, const NumberSettings &settings)
{
    if (level == 0.0)
        return u"0";  // a level that rounds to -0 is still just zero to a trader
    char buffer[64];
    if (std::fabs(level) < 1e15) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, level,
                                          std::chars_format::fixed, 0);
        return Widen({buffer, result.ptr});
    }
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, level,
                                      std::chars_format::scientific, 14);
    return ExponentForm({buffer, result.ptr}, settings);
}

}  // namespace levelwise

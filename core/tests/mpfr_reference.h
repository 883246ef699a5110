// An exact reference for the levels, built on MPFR: independent of the core's arithmetic.
#pragma once

#include "generated_cases.h"

#include <mpfr.h>

#include <cfloat>
#include <utility>

namespace levelwise::test {

// The multipliers from their bit patterns, not from the core's constants.
inline const double kReference382 = std::bit_cast<double>(std::uint64_t{0x3FD872B020C49BA6});
inline const double kReference500 = std::bit_cast<double>(std::uint64_t{0x3FE0000000000000});
inline const double kReference618 = std::bit_cast<double>(std::uint64_t{0x3FE3C6A7EF9DB22D});

// One level in exact arithmetic, rounded the way binary64 rounds: the difference to 53 bits
// with an unbounded exponent, then product and sum each to binary64 with its subnormals and
// its overflow, then to a whole number with ties to even.
class ReferenceLevel {
public:
    struct Result {
        std::optional<double> level;  // unset on overflow
        bool tie = false;             // x was exactly halfway between two whole numbers
        bool wideDifference = false;  // High - Low exceeded the largest double
    };

    ReferenceLevel()
    {
        for (mpfr_ptr v : {m_low, m_high, m_k, m_d, m_p, m_x, m_frac})
            mpfr_init2(v, 53);
    }
    ~ReferenceLevel()
    {
        for (mpfr_ptr v : {m_low, m_high, m_k, m_d, m_p, m_x, m_frac})
            mpfr_clear(v);
    }
    ReferenceLevel(const ReferenceLevel &) = delete;
    ReferenceLevel &operator=(const ReferenceLevel &) = delete;

    Result Compute(double low, double high, double k)
    {
        Result result;
        mpfr_set_d(m_low, low, MPFR_RNDN);
        mpfr_set_d(m_high, high, MPFR_RNDN);
        mpfr_set_d(m_k, k, MPFR_RNDN);
        mpfr_sub(m_d, m_high, m_low, MPFR_RNDN);  // MPFR's default exponent range is far wider
        result.wideDifference = mpfr_cmp_d(m_d, DBL_MAX) > 0 || mpfr_cmp_d(m_d, -DBL_MAX) < 0;
        if (!ToBinary64(m_p, mpfr_mul(m_p, m_d, m_k, MPFR_RNDN)))
            return result;
        if (!ToBinary64(m_x, mpfr_add(m_x, m_low, m_p, MPFR_RNDN)))
            return result;
        mpfr_frac(m_frac, m_x, MPFR_RNDN);
        result.tie = mpfr_cmp_d(m_frac, 0.5) == 0 || mpfr_cmp_d(m_frac, -0.5) == 0;
        mpfr_roundeven(m_x, m_x);
        result.level = mpfr_get_d(m_x, MPFR_RNDN);
        return result;
    }

private:
    // Rounds a 53-bit result (ternary t) into binary64's range: subnormals lose bits without
    // double rounding, and anything from 2^1024 up is an overflow.
    static bool ToBinary64(mpfr_ptr v, int t)
    {
        const mpfr_exp_t emin = mpfr_get_emin();
        const mpfr_exp_t emax = mpfr_get_emax();
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        t = mpfr_check_range(v, t, MPFR_RNDN);
        mpfr_subnormalize(v, t, MPFR_RNDN);
        mpfr_set_emin(emin);
        mpfr_set_emax(emax);
        return !mpfr_inf_p(v);
    }

    mpfr_t m_low, m_high, m_k, m_d, m_p, m_x, m_frac;
};

// The reference of a whole calculation, with the multipliers of each slot and the order in
// which the slots are computed written out once more.
struct ReferenceVerdict {
    std::optional<RetracementLevels> levels;
    int ties = 0;
    bool wideDifference = false;
};

inline ReferenceVerdict Reference(ReferenceLevel &reference, const Case &c)
{
    const bool isLong = c.direction == TrendDirection::Long;
    const double k382 = isLong ? kReference618 : kReference382;
    const double k618 = isLong ? kReference382 : kReference618;
    ReferenceVerdict verdict;
    RetracementLevels levels;
    for (auto [k, slot] :
         {std::pair{k618, &levels.level618}, std::pair{kReference500, &levels.level500},
          std::pair{k382, &levels.level382}}) {
        const ReferenceLevel::Result r = reference.Compute(c.low, c.high, k);
        verdict.wideDifference = verdict.wideDifference || r.wideDifference;
        if (!r.level)
            return verdict;
        verdict.ties += r.tie ? 1 : 0;
        *slot = r.level;
    }
    verdict.levels = levels;
    return verdict;
}

}  // namespace levelwise::test

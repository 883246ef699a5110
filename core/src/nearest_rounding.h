// Scoped round-to-nearest for the core's arithmetic and number conversions.
#pragma once

#include <cfenv>

namespace levelwise::detail {

// Results must not change when a caller has left another rounding mode in force, so each
// public entry point computes under round-to-nearest and restores the caller's mode after.
class NearestRounding {
public:
    NearestRounding() : m_saved(std::fegetround())
    {
        if (m_saved != FE_TONEAREST)
            std::fesetround(FE_TONEAREST);
    }
    ~NearestRounding()
    {
        if (m_saved != FE_TONEAREST)
            std::fesetround(m_saved);
    }
    NearestRounding(const NearestRounding &) = delete;
    NearestRounding &operator=(const NearestRounding &) = delete;

private:
    int m_saved;
};

}  // namespace levelwise::detail

// RunCalculation against a plain strtod + snprintf version of the same parse-compute-format.
#include "retracement.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using levelwise::RunCalculation;

struct Input {
    const char16_t *low;
    const char16_t *high;
    const char *lowAscii;
    const char *highAscii;
};

constexpr Input kDefaults{u"15620", u"15700", "15620", "15700"};
constexpr Input kError{u"15620", u"15700x", "15620", "15700x"};
constexpr Input kExponent{u"-1E+308", u"1E+308", "-1E+308", "1E+308"};

void BM_RunCalculation(benchmark::State &state, Input input)
{
    for (auto _ : state) {
        auto outcome = RunCalculation(input.low, input.high, u"Long");
        benchmark::DoNotOptimize(outcome);
    }
}

// The least a C programmer would write: strtod, the formula, snprintf. No empty-field or
// direction handling, no locale settings, no exact tie rule: a floor, not an equivalent.
void BM_StrtodSnprintfBaseline(benchmark::State &state, Input input)
{
    char report[256];
    for (auto _ : state) {
        char *end = nullptr;
        const double high = std::strtod(input.highAscii, &end);
        const bool highOk = *end == '\0';
        const double low = std::strtod(input.lowAscii, &end);
        if (!highOk || *end != '\0') {
            benchmark::DoNotOptimize(report);
            continue;
        }
        const double d = high - low;
        std::snprintf(
            report, sizeof report,
            "38.2%%-os korrekci\xC3\xB3s szint: %.15g\r50.0%%-os korrekci\xC3\xB3s szint: "
            "%.15g\r61.8%%-os korrekci\xC3\xB3s szint: %.15g",
            std::nearbyint(low + d * 0.618), std::nearbyint(low + d * 0.5),
            std::nearbyint(low + d * 0.382));
        benchmark::DoNotOptimize(report);
    }
}

BENCHMARK_CAPTURE(BM_RunCalculation, defaults, kDefaults);
BENCHMARK_CAPTURE(BM_RunCalculation, error_input, kError);
BENCHMARK_CAPTURE(BM_RunCalculation, exponent_input, kExponent);
BENCHMARK_CAPTURE(BM_StrtodSnprintfBaseline, defaults, kDefaults);
BENCHMARK_CAPTURE(BM_StrtodSnprintfBaseline, error_input, kError);
BENCHMARK_CAPTURE(BM_StrtodSnprintfBaseline, exponent_input, kExponent);

}  // namespace

BENCHMARK_MAIN();

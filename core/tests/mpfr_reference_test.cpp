// Differential test: every level and every overflow verdict of the core against an exact
// reference built on MPFR, over a million generated cases per run.
#include "levels_rows.h"
#include "mpfr_reference.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

namespace levelwise::test {
namespace {

TEST(MpfrReference, AgreesBitForBitOnAMillionCases)
{
    constexpr long kCasesPerKind = 200'000;  // nine kinds: 1,800,000 cases in all
    const std::uint64_t seed = ChooseSeed();
    std::printf("seed 0x%016" PRIx64 " (set LEVELWISE_SEED to repeat this run)\n", seed);
    CaseGenerator generator(seed);
    ReferenceLevel reference;

    long cases = 0, mismatches = 0, overflows = 0, ties = 0, wideWithoutFailure = 0;
    for (const auto &kind : CaseGenerator::Kinds()) {
        long kindOverflows = 0, kindTies = 0;
        for (long i = 0; i < kCasesPerKind; ++i) {
            const Case c = (generator.*kind.make)();
            const ReferenceVerdict expected = Reference(reference, c);
            const std::optional<RetracementLevels> actual =
                ComputeLevels(c.low, c.high, c.direction);
            ++cases;
            kindOverflows += expected.levels ? 0 : 1;
            kindTies += expected.ties;
            wideWithoutFailure += expected.wideDifference && expected.levels ? 1 : 0;
            if (!SameBits(actual, expected.levels) && ++mismatches <= 10) {
                ADD_FAILURE() << kind.name << ": " << Reproduce(c)
                              << "\n  core:      " << Show(actual)
                              << "\n  reference: " << Show(expected.levels);
            }
        }
        std::printf("%-24s %7ld cases, %7ld overflow verdicts, %7ld tied levels\n", kind.name,
                    kCasesPerKind, kindOverflows, kindTies);
        overflows += kindOverflows;
        ties += kindTies;
    }
    std::printf("%ld cases, %ld mismatches; %ld ranges beyond the largest double without failure\n",
                cases, mismatches, wideWithoutFailure);
    EXPECT_EQ(mismatches, 0);
    // The generators must really reach the regions they are aimed at.
    EXPECT_GE(cases, 1'000'000);
    EXPECT_GT(ties, cases / 20);
    EXPECT_GT(overflows, 1000);
    EXPECT_GT(wideWithoutFailure, 1000);
}

// The exact reference agrees with every value worked out by hand.
TEST(MpfrReference, AgreesWithTheLevelsTable)
{
    ReferenceLevel reference;
    for (const LevelsRow &row : kLevelsRows) {
        const RetracementLevels byHand{row.level382, row.level500, row.level618};
        const ReferenceVerdict expected = Reference(reference, {row.low, row.high, row.direction});
        EXPECT_TRUE(SameBits(byHand, expected.levels)) << row.name << ": " << Show(expected.levels);
    }
}

}  // namespace
}  // namespace levelwise::test

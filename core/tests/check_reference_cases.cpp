// Checks the core against a file of reference verdicts, bit for bit; needs no MPFR, so it
// runs on any CPU the core is built for:   check_reference_cases FILE
#include "reference_cases.h"

int main(int argc, char **argv)
{
    using namespace levelwise;
    using namespace levelwise::test;
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_reference_cases FILE\n");
        return 2;
    }
    std::FILE *in = std::fopen(argv[1], "rb");
    char magic[sizeof kReferenceMagic] = {};
    if (!in || std::fread(magic, sizeof magic, 1, in) != 1 ||
        std::memcmp(magic, kReferenceMagic, sizeof magic) != 0) {
        std::fprintf(stderr, "check_reference_cases: %s is no reference file\n", argv[1]);
        return 2;
    }
    long cases = 0, mismatches = 0, overflows = 0;
    Case c{};
    std::optional<RetracementLevels> expected;
    while (ReadRecord(in, c, expected)) {
        ++cases;
        overflows += expected ? 0 : 1;
        const auto actual = ComputeLevels(c.low, c.high, c.direction);
        if (!SameBits(actual, expected) && ++mismatches <= 10) {
            std::printf("MISMATCH %s\n  core:      %s\n  reference: %s\n", Reproduce(c).c_str(),
                        Show(actual).c_str(), Show(expected).c_str());
        }
    }
    std::printf("%ld cases (%ld overflow verdicts), %ld mismatches\n", cases, overflows,
                mismatches);
    return cases > 0 && mismatches == 0 ? 0 : 1;
}

// Writes generated cases with the exact MPFR reference's verdicts to a file:
//   make_reference_cases FILE CASES_PER_KIND
#include "mpfr_reference.h"
#include "reference_cases.h"

#include <cinttypes>

int main(int argc, char **argv)
{
    using namespace levelwise::test;
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_reference_cases FILE CASES_PER_KIND\n");
        return 2;
    }
    std::FILE *out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const long perKind = std::strtol(argv[2], nullptr, 10);
    const std::uint64_t seed = ChooseSeed();
    std::fwrite(kReferenceMagic, sizeof kReferenceMagic, 1, out);
    CaseGenerator generator(seed);
    ReferenceLevel reference;
    long written = 0;
    for (const auto &kind : CaseGenerator::Kinds()) {
        for (long i = 0; i < perKind; ++i, ++written) {
            const Case c = (generator.*kind.make)();
            WriteRecord(out, c, Reference(reference, c).levels);
        }
    }
    std::printf("%ld reference cases from seed 0x%016" PRIx64 " in %s\n", written, seed, argv[1]);
    return std::fclose(out) == 0 ? 0 : 1;
}

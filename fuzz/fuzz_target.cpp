// One libFuzzer executable per reader; ORVIKEL_FUZZ_TARGET names the harness target.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Built on the first input, kept for the whole run: the sample folder is made only once.
    static orvikel::fuzz::Harness harness(ORVIKEL_FUZZ_TARGET);
    const std::string problem =
        harness.Run(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s\n", ORVIKEL_FUZZ_TARGET, problem.c_str());
        std::abort();
    }
    return 0;
}

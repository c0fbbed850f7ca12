// fuzz_seeds DIR: writes the seed corpus of every fuzz target into DIR/<target>/, made from
// the sample data folder.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "harness.hpp"
#include "platform/encoding.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: fuzz_seeds DIR\n", stderr);
        return 2;
    }
    try {
        for (const auto& target : orvikel::fuzz::Harness::Targets()) {
            orvikel::fuzz::WriteSeeds(target, std::filesystem::path(argv[1]) / target);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", orvikel::text::ToUtf8(e.what()).c_str());
        return 1;
    }
    return 0;
}

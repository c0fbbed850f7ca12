#pragma once
// The generator's own random numbers: splitmix64 and plain arithmetic on its output, so the
// same seed gives the same folder with every compiler and standard library (the standard
// distributions differ between library implementations).
#include <cstdint>

namespace orvikel::sample {

class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1), 53 bits.
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform integer in lo..hi (inclusive); the modulo bias is far below anything visible.
    int Range(int lo, int hi) {
        const auto span = static_cast<std::uint64_t>(hi - lo + 1);
        return lo + static_cast<int>(Next() % span);
    }

    bool Chance(double p) { return Unit() < p; }

    // An independent stream for one part of the folder, so that a change in how one race is
    // drawn does not shift every race after it.
    Rng Fork(std::uint64_t salt) { return Rng(Next() ^ (salt * 0xD1B54A32D192ED03ULL)); }

  private:
    std::uint64_t state_;
};

}  // namespace orvikel::sample

#include "state/work_state.h"

#include <chrono>
#include <random>

namespace {

// A uniform number in [0, 1) from a generator seeded from the clock at this moment.
double drawFromFreshClockSeed() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
  std::mt19937_64 generator(seed);
  return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

}  // namespace

ModЧМ::ModЧМ() : rnd(drawFromFreshClockSeed) {}

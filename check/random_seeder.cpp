#include "check/random_seeder.h"

#include <chrono>
#include <cstdlib>
#include <utility>

uint32_t monotonic_milliseconds() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

RandomSeeder::RandomSeeder() : RandomSeeder(monotonic_milliseconds) {}

RandomSeeder::RandomSeeder(Clock clock) : clock_(std::move(clock)) {}

void RandomSeeder::seed_from_clock() {
  std::srand(clock_());
}

uint32_t RandomSeeder::seed_with_counter() {
  const uint32_t seed = clock_() + counter_;
  std::srand(seed);
  counter_ += 100 + (seed & 0xFF);
  return seed;
}

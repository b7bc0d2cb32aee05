#pragma once

#include <cstdint>
#include <functional>

// Seeds the C library's random generator (srand), which the sentence draw reads
// with rand(). One seeder lives as long as the program, so its counter keeps two
// seedings within the same millisecond apart.
class RandomSeeder {
 public:
  // Milliseconds from a monotonic clock; only differences and the low byte matter.
  using Clock = std::function<uint32_t()>;

  RandomSeeder();
  explicit RandomSeeder(Clock clock);

  // Seeds with the clock alone.
  void seed_from_clock();
  // Seeds with the clock plus the counter, which then grows by 100 plus the low
  // byte of the seed used. Returns that seed.
  uint32_t seed_with_counter();

 private:
  Clock clock_;
  uint32_t counter_ = 0;
};

// Milliseconds of the monotonic clock, wrapping as a 32-bit tick count does.
uint32_t monotonic_milliseconds();

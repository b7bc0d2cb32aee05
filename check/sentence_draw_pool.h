#pragma once

#include <cstdint>
#include <vector>

class RandomSeeder;

// Draws the numbers of a range in random order without repetition: one pool
// serves one content check. Each draw seeds the C library's generator anew and
// takes the number at position 1 + (rand() mod size) out of the remaining ones,
// the numbers behind it moving up by one.
class SentenceDrawPool {
 public:
  explicit SentenceDrawPool(RandomSeeder& seeder);

  // The next number of a random order of low..high. An empty pool is first filled
  // with low..high; the bounds of later calls count only once it has run empty
  // again. An empty range (high below low) has nothing to draw and gives low - 1.
  int draw(int low, int high);

 private:
  void fill(int low, int high);
  // Position (0-based) of the remaining number that stands at `rank` (1-based) in
  // ascending order.
  int64_t position_of_rank(int64_t rank) const;
  void take_out(int64_t position);

  RandomSeeder& seeder_;
  int64_t low_ = 0;
  int64_t remaining_ = 0;
  // A Fenwick tree over the range, counting the numbers not yet drawn: one whole
  // number per piece, and each draw costs a logarithm rather than a shift of the
  // whole list.
  std::vector<int32_t> tree_;
};

#include "check/sentence_draw_pool.h"

#include <bit>
#include <cstdlib>

#include "check/random_seeder.h"

SentenceDrawPool::SentenceDrawPool(RandomSeeder& seeder) : seeder_(seeder) {}

int SentenceDrawPool::draw(int low, int high) {
  seeder_.seed_with_counter();
  if (remaining_ == 0) fill(low, high);
  if (remaining_ == 0) return low - 1;
  const int64_t rank = 1 + std::rand() % remaining_;
  const int64_t position = position_of_rank(rank);
  take_out(position);
  return static_cast<int>(low_ + position);
}

void SentenceDrawPool::fill(int low, int high) {
  low_ = low;
  remaining_ = high < low ? 0 : int64_t{high} - low + 1;
  // Every number present: node i (1-based) covers the lowest set bit of i.
  tree_.resize(static_cast<size_t>(remaining_) + 1);
  for (size_t node = 1; node < tree_.size(); ++node) tree_[node] = static_cast<int32_t>(node & -node);
}

int64_t SentenceDrawPool::position_of_rank(int64_t rank) const {
  size_t node = 0;
  for (size_t step = std::bit_floor(tree_.size() - 1); step > 0; step >>= 1) {
    if (node + step < tree_.size() && tree_[node + step] < rank) {
      node += step;
      rank -= tree_[node];
    }
  }
  return static_cast<int64_t>(node);  // the next node holds the rank: 0-based, that is `node`
}

void SentenceDrawPool::take_out(int64_t position) {
  for (size_t node = static_cast<size_t>(position) + 1; node < tree_.size(); node += node & -node)
    --tree_[node];
  --remaining_;
}

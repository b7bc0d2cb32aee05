#include "check/piece_order.h"

#include <algorithm>
#include <numeric>

#include "check/random_seeder.h"

PieceOrder::PieceOrder(RandomSeeder& seeder, int piece_count) : pool_(seeder), piece_count_(piece_count) {
  seeder.seed_from_clock();
}

PieceOrder::PieceOrder(const std::vector<std::string>& ranks)
    : piece_count_(static_cast<int>(ranks.size())), ranked_(ranks.size()) {
  std::iota(ranked_.begin(), ranked_.end(), 0);
  std::stable_sort(ranked_.begin(), ranked_.end(), [&ranks](int a, int b) { return ranks[a] < ranks[b]; });
}

int PieceOrder::next() {
  if (pool_) return pool_->draw(1, piece_count_) - 1;
  if (ranked_.empty()) return -1;
  return ranked_[offered_++ % ranked_.size()];
}

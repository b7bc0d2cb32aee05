#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/sentence_draw_pool.h"

class RandomSeeder;

// The order in which a content check offers its pieces, every piece exactly once:
// drawn at random from a pool seeded by the clock, or by their ranks. Ranked, the
// same pieces come in the same order at every check, and an edited article keeps
// the order of its unchanged pieces.
class PieceOrder {
 public:
  // The clock-seeded draw out of `piece_count` pieces.
  PieceOrder(RandomSeeder& seeder, int piece_count);
  // Ascending by rank; pieces of equal rank (the same text) in their article order.
  explicit PieceOrder(const std::vector<std::string>& ranks);

  // The next piece's index (0-based); -1 when there are no pieces.
  int next();

 private:
  std::optional<SentenceDrawPool> pool_{};
  int piece_count_ = 0;
  std::vector<int> ranked_{};
  size_t offered_ = 0;
};

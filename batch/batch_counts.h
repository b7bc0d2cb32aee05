#pragma once

#include <cstdint>

// What the last batch did; the counts keep their values until the next batch.
struct BatchCounts {
  uint32_t start_ticks = 0;      // the clock when the batch began
  int examined = 0;              // files checked to the end, whatever the verdict
  int originals = 0;             // of those, judged original (copied or not)
  int unreadable = 0;            // files left alone: bytes that could not be read, or are no text
  int copy_failures = 0;         // originals kept in place because no copy could be stored
  int delete_failures = 0;       // files to delete that the file system kept (no right to remove them)
  int renamed_copies = 0;        // copies stored as "x(2).txt" and so on, beside a different "x.txt"
  int changed_during_check = 0;  // files kept from deletion because they changed while checked
  int undecided = 0;  // files left alone without a verdict: no result page readable, or nothing to search
};

#pragma once

#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "check/sentence_answer.h"

struct sqlite3;
struct sqlite3_stmt;

// How long answers stay fresh, in seconds.
struct AnswerLifetimes {
  double indexed_seconds = 0;
  double not_indexed_seconds = 0;
};

// One answer as the store keeps it. Text is GBK.
struct StoredAnswer {
  bool indexed = false;
  std::string result_title{};
  std::string result_link{};
  std::string query_url{};
  std::time_t asked_at = 0;
};

// The engines' answers in one SQLite file, a row per engine and searched sentence,
// with a random key made once for the draw. Several programs may use one file at a
// time: it is in WAL mode and each waits a while for another's write. The file is
// readable by its owner only, since it holds article text. Text is GBK on this side
// and UTF-8 in the file.
class AnswerStore {
 public:
  // Opens or makes the file, removing the answers that are no longer fresh. Else
  // why not (UTF-8): it cannot be opened or made, it is no database of ours, or
  // another program held it locked for longer than `busy_ms`.
  static std::variant<AnswerStore, std::string> open(const std::filesystem::path& file,
                                                     AnswerLifetimes lifetimes, int busy_ms = 5000);

  // The fresh answer for the sentence on the engine, by their captions; none when
  // there is none. False when the file could not be read.
  bool find(std::string_view engine, std::string_view searched, std::optional<StoredAnswer>& answer);
  // Keeps an answer, replacing the one before. False when the file could not be written.
  bool keep(std::string_view engine, std::string_view searched, const StoredAnswer& answer);
  // The draw's key: 32 random bytes, the same for every program using the file.
  const std::string& draw_key() const { return draw_key_; }
  // What the last failure was, as SQLite says it.
  std::string last_error() const;

 private:
  struct Closer {
    void operator()(sqlite3* database) const;
    void operator()(sqlite3_stmt* statement) const;
  };
  using Database = std::unique_ptr<sqlite3, Closer>;
  using Statement = std::unique_ptr<sqlite3_stmt, Closer>;

  AnswerStore() = default;
  // The moment before which an answer of that kind is stale.
  std::time_t stale_before(bool indexed, std::time_t now) const;

  // Declared first, so that it is closed after its statements are finalised.
  Database database_;
  Statement find_;
  Statement keep_;
  AnswerLifetimes lifetimes_;
  std::string draw_key_;
};

#include "search/answer_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <limits>
#include <thread>

#include "support/gbk.h"
#include "support/keyed_hash.h"

namespace {

constexpr size_t kDrawKeyBytes = 32;

constexpr const char* kSchema =
    "PRAGMA synchronous=NORMAL;"
    "CREATE TABLE IF NOT EXISTS answers("
    "engine TEXT NOT NULL, sentence TEXT NOT NULL,"
    "outcome TEXT NOT NULL CHECK(outcome IN ('收录', '未收录')),"
    "result_title TEXT NOT NULL, result_link TEXT NOT NULL, query_url TEXT NOT NULL,"
    "asked_at INTEGER NOT NULL,"
    "PRIMARY KEY(engine, sentence)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS draw_key(id INTEGER PRIMARY KEY CHECK(id = 1), key BLOB NOT NULL);";

constexpr const char* kFind =
    "SELECT outcome, result_title, result_link, query_url, asked_at FROM answers "
    "WHERE engine = ?1 AND sentence = ?2 AND asked_at > CASE outcome WHEN '收录' THEN ?3 ELSE ?4 END";
constexpr const char* kKeep =
    "INSERT OR REPLACE INTO answers(engine, sentence, outcome, result_title, result_link, query_url, asked_at) "
    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)";
constexpr const char* kRemoveStale =
    "DELETE FROM answers WHERE asked_at <= CASE outcome WHEN '收录' THEN ?1 ELSE ?2 END";
constexpr const char* kOfferKey = "INSERT OR IGNORE INTO draw_key(id, key) VALUES(1, ?1)";
constexpr const char* kReadKey = "SELECT key FROM draw_key WHERE id = 1";

void bind_text(sqlite3_stmt* statement, int index, std::string_view utf8) {
  sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

std::string column_text(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text == nullptr ? std::string() : std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

// The file made, if it is not there, as its owner's alone; one that is there is
// made so too.
std::string make_private_file(const std::filesystem::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (descriptor < 0) return std::strerror(errno);
  ::fchmod(descriptor, 0600);
  ::close(descriptor);
  return {};
}

}  // namespace

void AnswerStore::Closer::operator()(sqlite3* database) const {
  sqlite3_close_v2(database);
}

void AnswerStore::Closer::operator()(sqlite3_stmt* statement) const {
  sqlite3_finalize(statement);
}

std::variant<AnswerStore, std::string> AnswerStore::open(const std::filesystem::path& file,
                                                         AnswerLifetimes lifetimes, int busy_ms) {
  if (std::string problem = make_private_file(file); !problem.empty()) return problem;
  AnswerStore store;
  store.lifetimes_ = lifetimes;
  sqlite3* database = nullptr;
  const int opened = sqlite3_open_v2(file.c_str(), &database, SQLITE_OPEN_READWRITE, nullptr);
  store.database_.reset(database);
  if (opened != SQLITE_OK) return store.last_error();
  sqlite3_busy_timeout(database, busy_ms);
  sqlite3_extended_result_codes(database, 1);

  const auto prepare = [&store](const char* sql, Statement& statement) {
    sqlite3_stmt* prepared = nullptr;
    const int result = sqlite3_prepare_v2(store.database_.get(), sql, -1, &prepared, nullptr);
    statement.reset(prepared);
    return result == SQLITE_OK;
  };
  // Where waiting could deadlock, SQLite answers "busy" at once without waiting:
  // two programs that switch the same new file to WAL at one moment, say. Such a
  // step is tried again until the busy time-out has passed.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(busy_ms);
  const auto until_not_busy = [deadline](const auto& step) {
    for (;;) {
      const int result = step();
      if ((result & 0xFF) != SQLITE_BUSY || std::chrono::steady_clock::now() >= deadline) return result;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  };
  // A statement left unfinished would hold its read transaction open, and a write
  // after it could not wait for another program's: each is reset at once.
  const auto run = [&until_not_busy](sqlite3_stmt* statement) {
    const int result = until_not_busy([statement] {
      const int stepped = sqlite3_step(statement);
      sqlite3_reset(statement);
      return stepped;
    });
    return result == SQLITE_DONE || result == SQLITE_ROW;
  };
  Statement journal;
  if (!prepare("PRAGMA journal_mode=WAL", journal) || !run(journal.get())) return store.last_error();
  if (until_not_busy([database] { return sqlite3_exec(database, kSchema, nullptr, nullptr, nullptr); }) !=
      SQLITE_OK)
    return store.last_error();

  Statement offer_key;
  const std::string new_key = random_bytes(kDrawKeyBytes);
  if (new_key.size() != kDrawKeyBytes) return "no random bytes for the draw's key";
  if (!prepare(kOfferKey, offer_key)) return store.last_error();
  sqlite3_bind_blob(offer_key.get(), 1, new_key.data(), static_cast<int>(new_key.size()), SQLITE_TRANSIENT);
  if (!run(offer_key.get())) return store.last_error();
  Statement read_key;
  if (!prepare(kReadKey, read_key) ||
      until_not_busy([&read_key] { return sqlite3_step(read_key.get()); }) != SQLITE_ROW)
    return store.last_error();
  const auto* key = static_cast<const char*>(sqlite3_column_blob(read_key.get(), 0));
  store.draw_key_.assign(key == nullptr ? "" : key, static_cast<size_t>(sqlite3_column_bytes(read_key.get(), 0)));
  sqlite3_reset(read_key.get());
  if (store.draw_key_.size() != kDrawKeyBytes) return "the draw's key in the file is damaged";

  Statement remove_stale;
  const std::time_t now = std::time(nullptr);
  if (!prepare(kRemoveStale, remove_stale)) return store.last_error();
  sqlite3_bind_int64(remove_stale.get(), 1, store.stale_before(true, now));
  sqlite3_bind_int64(remove_stale.get(), 2, store.stale_before(false, now));
  if (!run(remove_stale.get())) return store.last_error();

  if (!prepare(kFind, store.find_) || !prepare(kKeep, store.keep_)) return store.last_error();
  return store;
}

std::time_t AnswerStore::stale_before(bool indexed, std::time_t now) const {
  const double lifetime = indexed ? lifetimes_.indexed_seconds : lifetimes_.not_indexed_seconds;
  // A lifetime below 0 (or not a number) keeps nothing; beyond a century, everything.
  if (!(lifetime >= 0)) return now;
  if (lifetime > 100.0 * 366 * 86400) return std::numeric_limits<std::time_t>::min();
  return now - static_cast<std::time_t>(lifetime);
}

bool AnswerStore::find(std::string_view engine, std::string_view searched, std::optional<StoredAnswer>& answer) {
  answer.reset();
  sqlite3_stmt* statement = find_.get();
  sqlite3_reset(statement);
  const std::time_t now = std::time(nullptr);
  bind_text(statement, 1, utf8_from_gbk(engine));
  bind_text(statement, 2, utf8_from_gbk(searched));
  sqlite3_bind_int64(statement, 3, stale_before(true, now));
  sqlite3_bind_int64(statement, 4, stale_before(false, now));
  const int result = sqlite3_step(statement);
  if (result == SQLITE_ROW) {
    answer = StoredAnswer{.indexed = column_text(statement, 0) == "收录",
                          .result_title = gbk_from_utf8(column_text(statement, 1)),
                          .result_link = gbk_from_utf8(column_text(statement, 2)),
                          .query_url = gbk_from_utf8(column_text(statement, 3)),
                          .asked_at = static_cast<std::time_t>(sqlite3_column_int64(statement, 4))};
  }
  const bool read = result == SQLITE_ROW || result == SQLITE_DONE;
  sqlite3_reset(statement);
  return read;
}

bool AnswerStore::keep(std::string_view engine, std::string_view searched, const StoredAnswer& answer) {
  sqlite3_stmt* statement = keep_.get();
  sqlite3_reset(statement);
  bind_text(statement, 1, utf8_from_gbk(engine));
  bind_text(statement, 2, utf8_from_gbk(searched));
  bind_text(statement, 3, answer.indexed ? "收录" : "未收录");
  bind_text(statement, 4, utf8_from_gbk(answer.result_title));
  bind_text(statement, 5, utf8_from_gbk(answer.result_link));
  bind_text(statement, 6, utf8_from_gbk(answer.query_url));
  sqlite3_bind_int64(statement, 7, answer.asked_at);
  const bool written = sqlite3_step(statement) == SQLITE_DONE;
  sqlite3_reset(statement);
  return written;
}

std::string AnswerStore::last_error() const {
  if (!database_) return "out of memory";
  return sqlite3_errmsg(database_.get());
}

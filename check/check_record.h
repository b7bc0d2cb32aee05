#pragma once

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "check/sentence_answer.h"

// How a check ended, as a batch files it.
enum class CheckVerdict {
  original,
  title_indexed,
  content_indexed,
  undecided,  // every page the check read was unrecognised
  stopped,    // stopped by the user or the search, or no check was ticked
};

// The verdict as a batch's list names it (UTF-8): 原创, 标题已收录, 内容已收录, 无法判断, 已停止.
std::string_view verdict_text(CheckVerdict verdict);

// One question put to the engine: the title, or a piece of the content.
struct SearchedPiece {
  bool is_title = false;
  std::string sentence{};  // GBK, as drawn and trimmed
  SentenceAnswer answer{};
};

// A searched piece's place in the cleaned article text.
struct ArticleMark {
  size_t offset = 0;
  size_t length = 0;
  SentenceOutcome outcome = SentenceOutcome::not_indexed;
};

// The evidence of one check, filled as it runs: what shaped the verdict, every
// question put to the engine in order, and the verdict as its box shows it. Text is
// GBK.
struct CheckRecord {
  std::string title{};  // trimmed; a batch passes the file's name
  std::time_t started = 0;
  bool title_checked = false;
  bool content_checked = false;
  int requested_sentences = 0;  // 句数
  int min_chars = 0;            // 最少字数
  int rate_percent = 0;         // 判断比例, as the verdict used it
  bool by_indexed_rate = false;

  std::vector<SearchedPiece> searched{};
  // The content as cleaned for cutting, with the place of every searched piece in
  // the order they were drawn.
  std::string article_text{};
  std::vector<ArticleMark> marks{};
  std::vector<size_t> piece_offsets{};  // where each piece starts in article_text; npos if unknown

  CheckVerdict verdict = CheckVerdict::stopped;
  int indexed = 0;     // content pieces found indexed
  std::string rate{};  // the deciding rate as the status bar shows it: "未收录率 83.33"
  std::string verdict_line{};
  std::string count_line{};  // empty when the content was not judged
  // The report written for this check; empty when none was.
  std::filesystem::path report_file{};

  // Starts the record of the content: the cleaned text and the pieces cut from it.
  void set_article(std::string cleaned, const std::vector<std::string>& pieces);
  // One searched content piece, by its index among the pieces.
  void add_piece(size_t piece_index, std::string sentence, SentenceAnswer answer);

  // The engine captions the pieces were searched on, in first-use order, joined by "、".
  std::string engines() const;
  // Content pieces searched (the title row not counted).
  int content_searched() const;
  // Questions sent to the engine, and answers taken from the cache instead (title
  // and content).
  int engine_queries() const;
  int cached_answers() const;
};

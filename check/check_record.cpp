#include "check/check_record.h"

#include <algorithm>

#include "support/gbk.h"
#include "support/text_search.h"

std::string CheckRecord::engines() const {
  std::vector<std::string> captions;
  for (const SearchedPiece& piece : searched) {
    const std::string& engine = piece.answer.engine;
    if (!engine.empty() && std::find(captions.begin(), captions.end(), engine) == captions.end())
      captions.push_back(engine);
  }
  std::string joined;
  for (const std::string& caption : captions) joined += (joined.empty() ? "" : gbk("、")) + caption;
  return joined;
}

int CheckRecord::content_searched() const {
  return static_cast<int>(std::count_if(searched.begin(), searched.end(),
                                        [](const SearchedPiece& piece) { return !piece.is_title; }));
}

int CheckRecord::cached_answers() const {
  return static_cast<int>(std::count_if(searched.begin(), searched.end(),
                                        [](const SearchedPiece& piece) { return piece.answer.cached_at.has_value(); }));
}

int CheckRecord::engine_queries() const {
  return static_cast<int>(searched.size()) - cached_answers();
}

void CheckRecord::set_article(std::string cleaned, const std::vector<std::string>& pieces) {
  article_text = std::move(cleaned);
  piece_offsets.clear();
  // The pieces stand in the text in order, a delimiter between two of them.
  size_t from = 0;
  for (const std::string& piece : pieces) {
    const size_t at = piece.empty() ? std::string::npos : find_exact(article_text, piece, from);
    piece_offsets.push_back(at);
    if (at != std::string::npos) from = at + piece.size();
  }
}

void CheckRecord::add_piece(size_t piece_index, std::string sentence, SentenceAnswer answer) {
  if (piece_index < piece_offsets.size() && piece_offsets[piece_index] != std::string::npos) {
    // The trimmed sentence lies inside its piece; the mark covers the sentence.
    const size_t at = find_exact(article_text, sentence, piece_offsets[piece_index]);
    if (at != std::string::npos) marks.push_back({at, sentence.size(), answer.outcome});
  }
  searched.push_back({.is_title = false, .sentence = std::move(sentence), .answer = std::move(answer)});
}

std::string_view verdict_text(CheckVerdict verdict) {
  switch (verdict) {
    case CheckVerdict::original:
      return "原创";
    case CheckVerdict::title_indexed:
      return "标题已收录";
    case CheckVerdict::content_indexed:
      return "内容已收录";
    case CheckVerdict::undecided:
      return "无法判断";
    case CheckVerdict::stopped:
      break;
  }
  return "已停止";
}

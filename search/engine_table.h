#pragma once

#include <span>
#include <string>
#include <string_view>

// The search engines of the engine combo box and how each is asked and read.

enum class SentenceEncoding {
  gbk_percent,   // the GBK bytes, every byte percent-escaped
  utf8_percent,  // the UTF-8 bytes, every byte percent-escaped
  unescaped,     // the text as it is; the request object escapes what a URL cannot hold
};

// Where an engine's result list starts and ends. Markers are UTF-8 with '' standing
// for a double quote; an end of kPageTail runs the list to the end of the page.
struct MarkerPair {
  std::string_view start;
  std::string_view end;
};

inline constexpr std::string_view kPageTail = "#[尾部标记]#";

struct Engine {
  std::string_view caption;  // UTF-8, as the engine combo box shows it
  std::string_view host;
  std::string_view path_and_key;  // the encoded sentence follows right after it
  SentenceEncoding encoding;
  std::span<const MarkerPair> result_list;  // tried in order, the first non-empty cut wins
  // Where each result of the list begins (UTF-8, '' for a double quote), for every
  // layout the list markers know; a result runs to the next one or the list's end.
  std::span<const std::string_view> result_items;
  // Where in a result its link stands: the first link after this marker (UTF-8), or
  // the result's first link when empty.
  std::string_view result_link_after{};
  // The cut ends inside an li start tag; a "<" in front makes it whole again.
  bool prefix_tag_opener;
  bool may_block;  // Baidu answers with a block page when it suspects a robot
  // UTF-8 notices the engine shows instead of a list when it found nothing: a page
  // with neither a list nor one of these cannot be read.
  std::span<const std::string_view> no_results;
  // Address parts of the page the engine sends a suspected robot to.
  std::span<const std::string_view> verification_paths;
  // UTF-8 words of that page asking to prove a human is searching; looked for only
  // on a page without a result list.
  std::span<const std::string_view> verification_words;
  // Address parts, in a redirect or the page, of the page the engine sends a client
  // that runs no script to: such a client gets no results from it at all.
  std::span<const std::string_view> script_only_paths{};
};

// The engine at a combo index; null outside the table (also for -1, no selection).
const Engine* engine_at(int index);

// The engine's query address for the (Simplified Chinese, GBK) sentence.
std::string query_url(const Engine& engine, std::string_view sentence);

#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/testsupport/local_engine.h"

// How a result page lays out its result list.
enum class PageLayout {
  original,          // each engine's first marker pair, the layout the program was written for
  second_variant,    // Baidu <p id="page">, soso <ol><li, Sogou <div class="results">
  unquoted_ids,      // the original markers with their attribute values written without quotes
  list_without_end,  // soso: the list's </ol> is missing
  current,           // the layouts the engines use today
};

enum class PageCharset { gbk, utf8_declared, utf8_undeclared };

enum class BlockStyle {
  error_title,       // Baidu's old block page
  security_check,    // today's block page, titled 百度安全验证
  captcha_redirect,  // a redirect to the captcha on wappass.baidu.com
};

// The six search engines as the local engine plays them, by host name. Every result
// page lists every indexed document, with the query highlighted where it occurs, and
// echoes the query outside the list (title, search box, related searches) as real
// pages do, so only a correct cut of the list tells indexed from not indexed. With
// nothing indexed the page carries the engine's "no results" notice instead.
class SearchSite {
 public:
  void index(std::string_view document_utf8);
  void set_layout(PageLayout layout);
  // Each engine's own charset when not set: GBK for Baidu, soso and Sogou, declared
  // UTF-8 for 360, Google and Bing.
  void set_charset(PageCharset charset);
  // The next `count` Baidu searches get the block page.
  void block_next(int count, BlockStyle style = BlockStyle::error_title);

  Reply answer(const ReceivedRequest& request);

  // The query of a search request as UTF-8, decoded by the engine's sentence encoding.
  static std::optional<std::string> query_of(const ReceivedRequest& request);

 private:
  std::mutex mutex_;
  std::vector<std::string> documents_;
  PageLayout layout_ = PageLayout::original;
  std::optional<PageCharset> charset_;
  int blocks_left_ = 0;
  BlockStyle block_style_ = BlockStyle::error_title;
};

// The combo index of the engine at a host, or -1.
int engine_index_of_host(std::string_view host);

#pragma once

#include <string>
#include <string_view>

#include "check/check_context.h"

// What checking an article may cost, worked out without asking the engine.
struct SearchEstimate {
  int most = 0;    // the most questions the check may put, the title's included
  int cached = 0;  // of those, the ones the cache answers already

  SearchEstimate& operator+=(const SearchEstimate& other) {
    most += other.most;
    cached += other.cached;
    return *this;
  }
};

// The article (GBK) as check_article would take it with the window's options: the
// title, then the pieces that qualify, in the order a check draws them, up to the
// sentence count. A title the cache knows as indexed ends it, as it ends the check.
// The cleaning expression must be built (build_cleaning_expression).
SearchEstimate estimate_searches(CheckContext& context, std::string_view title, std::string_view content);

// "预计最多 N 次搜索，其中 M 次可用缓存，约 X 分钟" (GBK): the questions not
// answered by the cache, at the interval of the window's 编辑框间隔秒.
std::string estimate_text(const Window& window, const SearchEstimate& estimate);

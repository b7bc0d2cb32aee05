#include "search/result_list.h"

#include "search/engine_table.h"
#include "support/gbk.h"
#include "support/text_markers.h"
#include "support/text_search.h"

std::string cut_region(std::string_view page, std::string_view start_marker, std::string_view end_marker) {
  const std::string start = fix_quotes(start_marker);
  const std::string end = fix_quotes(end_marker);
  std::string region = text_between(page, start, end);
  if (!region.empty()) return region;
  return text_between(page, replace_all_exact(start, "\"", ""), replace_all_exact(end, "\"", ""));
}

std::optional<std::string> cut_result_list(const Engine& engine, std::string_view page) {
  for (const MarkerPair& pair : engine.result_list) {
    const std::string start = gbk(pair.start);
    const std::string end = gbk(pair.end);
    std::string list = pair.end == kPageTail ? cut_region(std::string(page).append(end), start, end)
                                             : cut_region(page, start, end);
    if (list.empty()) continue;
    return engine.prefix_tag_opener ? "<" + list : list;
  }
  return std::nullopt;
}

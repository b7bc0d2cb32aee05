#include "check/html_report.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <optional>
#include <vector>

#include "check/check_record.h"
#include "check/verdict_confidence.h"
#include "support/gbk.h"
#include "support/local_time.h"

namespace {

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1.5em;line-height:1.6;color:#222}"
    "h1{font-size:1.4em;margin:0 0 .4em}h2{font-size:1.15em;margin-top:1.4em}"
    ".verdict{font-size:1.2em;font-weight:bold;margin:0}"
    ".counts,.confidence,.unstable{margin:.2em 0 .8em}.unstable{color:#b35900;font-weight:bold}"
    "table{border-collapse:collapse}th,td{border:1px solid #ccc;padding:.25em .5em;text-align:left;"
    "vertical-align:top;overflow-wrap:anywhere}th{background:#f2f2f2}"
    ".article{white-space:pre-wrap;border:1px solid #ddd;padding:.8em;background:#fcfcfc}"
    ".indexed{color:#c00000;font-weight:bold}.not-indexed{color:#008000}"
    ".unanswered{background:#e4e4e4}"
    ".searched{width:100%}th,td.outcome,td.number{white-space:nowrap}"
    "td.address{word-break:break-all;font-size:.8em;color:#555;max-width:24em}"
    ".cached{font-weight:normal;font-size:.8em;color:#555}";

std::string escaped_gbk(std::string_view gbk_text) {
  return html_escaped(utf8_from_gbk(gbk_text));
}

// The class that colours a searched sentence. One the engine gave no answer for
// has its own, so that it is not taken for one never drawn.
std::string_view mark_class(SentenceOutcome outcome) {
  switch (outcome) {
    case SentenceOutcome::indexed:
      return "indexed";
    case SentenceOutcome::not_indexed:
      return "not-indexed";
    default:
      return "unanswered";
  }
}

// A GBK address (a Google query holds the sentence as it is) as a link when it is
// a web address, else as plain text.
std::string linked(std::string_view address, std::string_view text_html) {
  if (!is_web_address(address)) return std::string(text_html);
  return "<a href=\"" + escaped_gbk(address) + "\" rel=\"noreferrer noopener\">" + std::string(text_html) +
         "</a>";
}

void add_row(std::string& html, std::string_view heading, std::string_view value_html) {
  html.append("<tr><th>").append(heading).append("</th><td>").append(value_html).append("</td></tr>");
}

std::string yes_no(bool on) {
  return on ? "是" : "否";
}

void add_header(std::string& html, const CheckRecord& record) {
  html.append("<h1>检测报告：").append(escaped_gbk(record.title)).append("</h1>");
  html.append("<p class=\"verdict\">").append(escaped_gbk(record.verdict_line)).append("</p>");
  if (!record.count_line.empty())
    html.append("<p class=\"counts\">").append(escaped_gbk(record.count_line)).append("</p>");
  if (const std::optional<VerdictConfidence> confidence = verdict_confidence(record)) {
    html.append("<p class=\"confidence\">").append(confidence->line()).append("</p>");
    if (!confidence->stable)
      html.append("<p class=\"unstable\">").append(kUnstableVerdictLine).append("</p>");
  }
  html.append("<table class=\"settings\">");
  add_row(html, "标题", escaped_gbk(record.title));
  add_row(html, "搜索引擎", escaped_gbk(record.engines()));
  add_row(html, "检测时间", local_time_text(record.started, "%Y-%m-%d %H:%M:%S"));
  add_row(html, "判断标题", yes_no(record.title_checked));
  add_row(html, "判断内容", yes_no(record.content_checked));
  add_row(html, "句数", std::to_string(record.requested_sentences));
  add_row(html, "最少字数", std::to_string(record.min_chars));
  add_row(html, "判断比例",
          (record.by_indexed_rate ? "按收录率 " : "按未收录率 ") + std::to_string(record.rate_percent) + "%");
  html.append("</table>");
}

void add_article(std::string& html, const CheckRecord& record) {
  if (record.article_text.empty()) return;
  html.append("<h2>文章内容</h2><p>")
      .append("<span class=\"indexed\">红色：搜索引擎已收录</span>　")
      .append("<span class=\"not-indexed\">绿色：未收录</span>　")
      .append("<span class=\"unanswered\">灰底：没有结果（结果页无法识别、取页失败或已停止）</span>　")
      .append("其余：未抽到</p><div class=\"article\">");
  const std::string_view text = record.article_text;
  size_t written = 0;
  // Drawn without repetition, so marks never overlap; they come in draw order.
  std::vector<ArticleMark> marks = record.marks;
  std::sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) { return a.offset < b.offset; });
  for (const ArticleMark& mark : marks) {
    if (mark.offset < written || mark.offset + mark.length > text.size()) continue;
    html.append(escaped_gbk(text.substr(written, mark.offset - written)));
    const std::string_view piece = text.substr(mark.offset, mark.length);
    html.append("<span class=\"")
        .append(mark_class(mark.outcome))
        .append("\">")
        .append(escaped_gbk(piece))
        .append("</span>");
    written = mark.offset + mark.length;
  }
  html.append(escaped_gbk(text.substr(written))).append("</div>");
}

void add_searched(std::string& html, const CheckRecord& record) {
  html.append(
      "<h2>检测的句子</h2><table class=\"searched\"><tr><th>#</th><th>检测的句子</th>"
      "<th>结果</th><th>收录它的结果</th><th>查询</th></tr>");
  int number = 0;
  for (const SearchedPiece& piece : record.searched) {
    const SentenceAnswer& answer = piece.answer;
    html.append("<tr><td class=\"number\">")
        .append(piece.is_title ? "标题" : std::to_string(++number))
        .append("</td><td>");
    html.append(escaped_gbk(answer.searched.empty() ? piece.sentence : answer.searched)).append("</td>");
    html.append("<td class=\"outcome ").append(mark_class(answer.outcome)).append("\">");
    html.append(outcome_text(answer.outcome));
    // Not asked in this check: the engine gave it then.
    if (answer.cached_at)
      html.append("<br><span class=\"cached\">缓存，").append(local_time_text(*answer.cached_at, "%-m月%-d日")).append("</span>");
    html.append("</td><td>");
    if (answer.indexed()) {
      const std::string title =
          escaped_gbk(answer.result_title.empty() ? answer.result_link : answer.result_title);
      html.append(linked(answer.result_link, title));
    }
    // The address is long and escaped; its link says what it opens.
    const std::string address =
        is_web_address(answer.query_url) ? "搜索结果页" : escaped_gbk(answer.query_url);
    html.append("</td><td class=\"address\">").append(linked(answer.query_url, address)).append("</td></tr>");
  }
  html.append("</table>");
}

}  // namespace

std::string html_escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

bool is_web_address(std::string_view address) {
  const auto starts_with_ignoring_case = [address](std::string_view prefix) {
    if (address.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(address[i])) != prefix[i]) return false;
    }
    return true;
  };
  return starts_with_ignoring_case("http://") || starts_with_ignoring_case("https://");
}

std::string_view outcome_text(SentenceOutcome outcome) {
  switch (outcome) {
    case SentenceOutcome::indexed:
      return "收录";
    case SentenceOutcome::not_indexed:
      return "未收录";
    case SentenceOutcome::unrecognised:
      return "结果页无法识别";
    case SentenceOutcome::fetch_failed:
      return "取页失败";
    case SentenceOutcome::stopped:
      return "已停止";
  }
  return {};
}

std::string html_report(const CheckRecord& record) {
  std::string html = "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">";
  // Nothing is fetched and nothing runs, whatever got past the escaping.
  html.append(
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src "
      "'unsafe-inline'; img-src data:\">");
  html.append("<title>检测报告 - ").append(escaped_gbk(record.title)).append("</title><style>");
  html.append(kStyle).append("</style></head><body>");
  add_header(html, record);
  add_article(html, record);
  add_searched(html, record);
  html.append("</body></html>\n");
  return html;
}

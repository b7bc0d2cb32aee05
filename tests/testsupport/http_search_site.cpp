#include "tests/testsupport/http_search_site.h"

#include <array>

#include "support/gbk.h"

namespace {

struct EngineSite {
  std::string_view host;
  std::string_view query_key;
  bool gbk_query;  // the query is percent-escaped GBK, else UTF-8
  PageCharset charset;
  std::string_view no_results_before;  // the notice around the query when nothing was found
  std::string_view no_results_after;
  std::string_view highlight;  // the tag that marks the query in a result
};

constexpr std::array<EngineSite, 6> kSites = {{
    {"www.baidu.com", "wd", true, PageCharset::gbk, "很抱歉，没有找到与“", "”相关的网页。", "em"},
    {"www.so.com", "q", false, PageCharset::utf8_declared, "抱歉，未找到和“", "”相关的网页。", "em"},
    {"www.soso.com", "w", true, PageCharset::gbk, "抱歉，没有找到与“", "”相关的网页。", "em"},
    {"www.google.com", "q", false, PageCharset::utf8_declared, "找不到和您查询的“", "”相符的内容或信息。", "em"},
    {"www.sogou.com", "query", false, PageCharset::gbk, "抱歉，没有找到与“", "”相关的网页。", "em"},
    {"cn.bing.com", "q", false, PageCharset::utf8_declared, "没有与此相关的结果: <strong>", "</strong>", "strong"},
}};

// Where the list starts and ends, and how each item is wrapped.
struct ListMarkup {
  std::string_view start;
  std::string_view end;
  std::string_view item_open;
  std::string_view item_close;
  std::string_view title_tag = "h3";
  std::string_view before_title{};  // markup of the item in front of its title
  // When set, the list's end opens a side column that echoes the query, closed by
  // this and followed by the pager.
  std::string_view side_column_end{};
};

ListMarkup list_markup(int engine, PageLayout layout) {
  const bool unquoted = layout == PageLayout::unquoted_ids;
  const bool second = layout == PageLayout::second_variant;
  const bool current = layout == PageLayout::current;
  switch (engine) {
    case 0:
      if (unquoted) return {"<div id=content_left>", "</div><p id=page >", "<div class=result>", "</div>"};
      if (current)
        return {"<div id=\"content_left\">", "</div><div id=\"page\" >", "<div class=\"result c-container\">",
                "</div>"};
      return {"<div id=\"content_left\">", second ? "</div><p id=\"page\">" : "</div><p id=\"page\" >",
              "<div class=\"result\">", "</div>"};
    case 1:
      if (unquoted)
        return {"<ul id=m-result class=result>", "</ul><div id=page>", "<li class=res-list>", "</li>"};
      // Today the right-hand column with its hot list comes between the list and the pager.
      if (current)
        return {"<ul class=\"result\">", "</ul></div><div id=\"side\">", "<li class=\"res-list\">", "</li>",
                "h3", {}, "</div><div id=\"page\">"};
      return {"<ul id=\"m-result\" class=\"result\">", "</ul><div id=\"page\">", "<li class=\"res-list\">",
              "</li>"};
    case 2:
      return {second ? "<ol>" : "<ol  >",
              layout == PageLayout::list_without_end ? "<div class=\"tail\">" : "</ol>", "<li class=\"g\">",
              "</li>"};
    case 3:
      if (unquoted) return {"<div id=ires><ol>", "</ol></div>", "<li class=g>", "</li>"};
      if (current)
        return {"<div id=\"search\"><div id=\"rso\">", "</div></div><div id=\"botstuff\">",
                "<div class=\"g\">", "</div>"};
      return {"<div id=\"ires\"><ol>", "</ol></div>", "<li class=\"g\">", "</li>"};
    case 5:
      if (unquoted) return {"<ol id=b_results>", "<li class=b_pag></li></ol>", "<li class=b_algo>", "</li>", "h2"};
      // Today's items name the site with a link of its own in front of the title.
      if (current)
        return {"<ol id=\"b_results\" class=\"\">", "</ol></main>",
                "<li class=\"b_algo\" data-id iid=SERP.5319>", "</li>", "h2",
                "<div class=\"b_tpcn\"><a class=\"tilk\" href=\"http://example.com/\">example.com</a></div>"};
      return {"<ol id=\"b_results\">", "<li class=\"b_pag\"><a href=\"/search?q=2\">2</a></li></ol>",
              "<li class=\"b_algo\">", "</li>", "h2"};
    default:
      if (unquoted)
        return {"<div class=results >", "</div><table id=hint_container>", "<div class=rb>", "</div>"};
      if (current)
        return {"<div class=\"results\">", "</div><div class=\"p\" id=\"pagebar_container\">",
                "<div class=\"vrwrap\">", "</div>"};
      return {second ? "<div class=\"results\">" : "<div class=\"results\" >",
              "</div><table id=\"hint_container\">", "<div class=\"rb\">", "</div>"};
  }
}

// The document with the first occurrence of the query highlighted.
std::string highlighted(std::string_view document, std::string_view query, std::string_view tag) {
  const size_t at = query.empty() ? std::string_view::npos : document.find(query);
  if (at == std::string_view::npos) return std::string(document);
  return std::string(document.substr(0, at)) + "<" + std::string(tag) + ">" + std::string(query) + "</" +
         std::string(tag) + ">" + std::string(document.substr(at + query.size()));
}

std::string head(std::string_view title, PageCharset charset) {
  std::string meta;
  if (charset == PageCharset::gbk)
    meta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">";
  if (charset == PageCharset::utf8_declared) {
    meta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
  }
  return "<html><head>" + meta + "<title>" + std::string(title) + "</title></head>";
}

Reply page_reply(const std::string& utf8_page, PageCharset charset) {
  return charset == PageCharset::gbk ? html_reply(gbk_from_utf8(utf8_page), "gbk")
                                     : html_reply(utf8_page, "utf-8");
}

std::string result_page(int engine, PageLayout layout, PageCharset charset, std::string_view query,
                        const std::vector<std::string>& documents) {
  const ListMarkup markup = list_markup(engine, layout);
  const EngineSite& site = kSites[static_cast<size_t>(engine)];
  std::string page = head(std::string(query) + " - 搜索结果", charset);
  page += "<body>\r\n<form action=\"/s\"><input name=\"q\" value=\"" + std::string(query) + "\"></form>\r\n";
  if (documents.empty()) {
    page += "<div class=\"nors\">" + std::string(site.no_results_before) + std::string(query) +
            std::string(site.no_results_after) + "</div>\r\n";
  } else {
    page.append(markup.start);
    int number = 0;
    for (const std::string& document : documents) {
      page.append(markup.item_open);
      const std::string label = std::to_string(++number);
      const std::string title_tag(markup.title_tag);
      page += std::string(markup.before_title) + "<" + title_tag + "><a href=\"http://example.com/" + label +
              "\">结果" + label + "</a></" + title_tag + ">\r\n<p>" + highlighted(document, query, site.highlight) +
              "</p>";
      page.append(markup.item_close).append("\r\n");
    }
    page.append(markup.end);
    if (!markup.side_column_end.empty())
      page += "<div>热搜榜：" + std::string(query) + "</div>" + std::string(markup.side_column_end);
  }
  page += "<a href=\"/s?q=2\">下一页</a>\r\n<div>相关搜索：" + std::string(query) +
          "</div>\r\n</body></html>\r\n";
  return page;
}

Reply block_reply(BlockStyle style) {
  switch (style) {
    case BlockStyle::error_title:
      return page_reply(head("百度--您的访问出错了", PageCharset::gbk) + "<body>请输入验证码</body></html>",
                        PageCharset::gbk);
    case BlockStyle::security_check:
      return page_reply(
          head("百度安全验证", PageCharset::utf8_declared) + "<body>网络不给力，请稍后重试</body></html>",
          PageCharset::utf8_declared);
    case BlockStyle::captcha_redirect:
      break;
  }
  return redirect_reply(302, "http://wappass.baidu.com/static/captcha/tuxing.html?ak=1&backurl=x");
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string percent_decode(std::string_view text) {
  std::string decoded;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '%' && at + 2 < text.size() && hex_value(text[at + 1]) >= 0 &&
        hex_value(text[at + 2]) >= 0) {
      decoded.push_back(static_cast<char>(hex_value(text[at + 1]) * 16 + hex_value(text[at + 2])));
      at += 2;
    } else {
      decoded.push_back(text[at]);
    }
  }
  return decoded;
}

}  // namespace

int engine_index_of_host(std::string_view host) {
  for (size_t index = 0; index < kSites.size(); ++index) {
    if (kSites[index].host == host) return static_cast<int>(index);
  }
  return -1;
}

std::optional<std::string> SearchSite::query_of(const ReceivedRequest& request) {
  const int engine = engine_index_of_host(request.host);
  if (engine < 0) return std::nullopt;
  const EngineSite& site = kSites[static_cast<size_t>(engine)];
  const std::string key = "?" + std::string(site.query_key) + "=";
  const size_t at = request.path.find(key);
  if (at == std::string::npos) return std::nullopt;
  const std::string value = percent_decode(std::string_view(request.path).substr(at + key.size()));
  return site.gbk_query ? utf8_from_gbk(value) : value;
}

void SearchSite::index(std::string_view document_utf8) {
  const std::lock_guard lock(mutex_);
  documents_.emplace_back(document_utf8);
}

void SearchSite::set_layout(PageLayout layout) {
  const std::lock_guard lock(mutex_);
  layout_ = layout;
}

void SearchSite::set_charset(PageCharset charset) {
  const std::lock_guard lock(mutex_);
  charset_ = charset;
}

void SearchSite::block_next(int count, BlockStyle style) {
  const std::lock_guard lock(mutex_);
  blocks_left_ = count;
  block_style_ = style;
}

Reply SearchSite::answer(const ReceivedRequest& request) {
  const std::lock_guard lock(mutex_);
  if (request.host == "wappass.baidu.com") {
    return page_reply(head("验证", PageCharset::utf8_declared) + "<body>captcha</body></html>",
                      PageCharset::utf8_declared);
  }
  const int engine = engine_index_of_host(request.host);
  const std::optional<std::string> query = query_of(request);
  if (engine < 0 || !query) return status_reply(404);
  if (engine == 0 && blocks_left_ > 0) {
    --blocks_left_;
    return block_reply(block_style_);
  }
  const PageCharset charset = charset_.value_or(kSites[static_cast<size_t>(engine)].charset);
  return page_reply(result_page(engine, layout_, charset, *query, documents_), charset);
}

#include "search/fetch_failure_warning.h"

#include <string>

#include "search/fetched_page.h"
#include "support/gbk.h"

namespace {

std::string reason_text(const FetchedPage& page) {
  switch (page.failure) {
    case HttpFailure::none:
      return "搜索引擎返回了错误状态 " + std::to_string(page.status);
    case HttpFailure::not_resolved:
      return "找不到搜索引擎服务器的地址（域名解析失败）";
    case HttpFailure::not_connected:
      return "无法连接到搜索引擎的服务器";
    case HttpFailure::proxy_failed:
      return "无法通过代理服务器连接";
    case HttpFailure::timed_out:
      return "等待搜索引擎应答超时";
    case HttpFailure::too_large:
      return "搜索引擎返回的网页超过 32 MB，已放弃读取";
    case HttpFailure::bad_redirect:
      return "搜索引擎的网页跳转次数过多，或跳转到了不允许的地址";
    case HttpFailure::cert_rejected:
      return "搜索引擎服务器的证书无法验证，安全连接（HTTPS）没有建立。证书可能不可信、已过期或不属于该网站，"
             "也可能是网络或代理截获了连接，或本机缺少根证书（ca-certificates）";
    case HttpFailure::empty_page:
      return "搜索引擎返回了空白的网页";
    case HttpFailure::stopped:
      return "检测已被停止";
    case HttpFailure::broken:
      break;
  }
  return "与搜索引擎的连接中断，没有收到完整的应答";
}

// No connection, a time-out, a reset, a certificate that does not verify or a server
// error: the way to the engine failed.
bool network_failed(const FetchedPage& page) {
  switch (page.failure) {
    case HttpFailure::not_resolved:
    case HttpFailure::not_connected:
    case HttpFailure::proxy_failed:
    case HttpFailure::timed_out:
    case HttpFailure::broken:
    // Mostly a proxy or network that intercepts the connection, or missing root certificates.
    case HttpFailure::cert_rejected:
      return true;
    case HttpFailure::none:
      return page.status >= 500;
    case HttpFailure::too_large:
    case HttpFailure::bad_redirect:
    case HttpFailure::empty_page:
    case HttpFailure::stopped:
      break;
  }
  return false;
}

Message warning(const std::string& utf8_text) {
  return Message{.text = gbk(utf8_text), .caption = gbk("信息："), .icon = MessageIcon::warning};
}

}  // namespace

Message fetch_failure_warning(std::string_view engine_caption, const FetchedPage& page, int retries) {
  const std::string advice = network_failed(page) ? "请检查网络连接或代理设置（代理形式、IP）。"
                                                  : "搜索引擎可能暂时出错或改变了网页，请稍后再试。";
  return warning("无法从搜索引擎“" + std::string(engine_caption) + "”取得结果页：" + reason_text(page) +
                 "。\r\n\r\n已重试 " + std::to_string(retries) + " 次仍然失败，" + advice + "本次检测已停止。");
}

Message verification_warning(std::string_view engine_caption) {
  return warning("搜索引擎“" + std::string(engine_caption) +
                 "”要求进行验证（验证码或安全验证），它把本程序当成了机器人，没有给出结果页。\r\n\r\n"
                 "可以勾选“浏览器模式检测”，在浏览器里的页面上完成验证；或等待一段时间（大约半小时）再检测；"
                 "或更换IP（ADSL换IP或设置代理IP）。本次检测已停止。");
}

Message script_only_warning(std::string_view engine_caption) {
  return warning(std::string(engine_caption) +
                 "现在只向能运行网页脚本的浏览器返回结果，请勾选浏览器模式检测后再试。本次检测已停止。");
}

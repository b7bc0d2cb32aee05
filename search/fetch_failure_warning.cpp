#include "search/fetch_failure_warning.h"

#include <string>

#include "search/fetched_page.h"
#include "support/gbk.h"

namespace {

std::string reason_text(const FetchedPage& page) {
  if (page.asks_verification) {
    return "搜索引擎要求进行验证（验证码或安全验证），它可能把本程序当成了机器人；可稍后再试，或改用浏览器模"
           "式检测";
  }
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

}  // namespace

Message fetch_failure_warning(std::string_view engine_caption, const FetchedPage& page, int retries) {
  const std::string text = "无法从搜索引擎“" + std::string(engine_caption) + "”取得结果页：" +
                           reason_text(page) + "。\r\n\r\n已重试 " + std::to_string(retries) +
                           " 次仍然失败，请检查网络连接或代理设置（代理形式、IP）。本次检测已停止。";
  return Message{.text = gbk(text), .caption = gbk("信息："), .icon = MessageIcon::warning};
}

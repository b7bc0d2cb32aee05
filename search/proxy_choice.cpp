#include "search/proxy_choice.h"

#include "support/window.h"

std::string proxy_text_from_choice(const Window& window) {
  switch (window.selected_index(Control::组合框代理形式)) {
    case 1:
      return "IE";
    case 2:
      return window.text(Control::编辑框IP);
    default:
      return {};
  }
}

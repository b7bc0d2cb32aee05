#pragma once

#include <string>

class Window;

// The proxy text of the proxy combo box's choice: "正常访问" gives the empty text
// (direct), "IE的代理" gives "IE" (the system proxy), "指定代理" gives the host:port
// typed into 编辑框IP. No valid choice connects directly.
std::string proxy_text_from_choice(const Window& window);

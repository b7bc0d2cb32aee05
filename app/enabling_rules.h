#pragma once

class Window;

// Which controls a check box or a selection makes usable.

// The sentence settings and both radio buttons are usable only while the
// content is checked.
void apply_content_check_rule(Window& window);
// The minutes box is usable only while waiting out a block is on.
void apply_blocking_wait_rule(Window& window);
// The proxy address is usable only when "指定代理" is chosen and the choice itself
// is usable.
void apply_proxy_rule(Window& window);
// The proxy choice is unusable in browser mode. The address box keeps its state
// until the proxy choice changes.
void apply_browser_mode_rule(Window& window);

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Every control of the main window that the core reads or writes, by the name
// the window gives it.
enum class Control {
  图片框1,
  图片框操作,
  超级链接框操作,
  图片框保存,
  超级链接框保存,
  图片框更新,
  超级链接框更新,
  图片框QQ,
  超级链接框QQ,
  图片框软件,
  超级链接框软件,
  图片框官网,
  标签5,
  标签3,
  分组框1,
  编辑框标题,
  按钮粘贴,
  编辑框内容,
  进度条,
  浏览器,
  选择框判断标题,
  选择框判断内容,
  标签9,
  编辑框句数,
  标签11,
  编辑框最少字数,
  标签10,
  编辑框判断比例,
  单选框按未收录率,
  单选框按收录率,
  标签2,
  编辑框间隔秒,
  标签4,
  组合框引擎,
  按钮立即检测,
  选择框忽略网址邮箱,
  选择框忽略数字,
  编辑框数字位数,
  组合框代理形式,
  编辑框IP,
  选择框浏览器模式检测,
  选择框删除已检测文件,
  选择框原创,
  标签6,
  组合框文件编码,
  选择框屏蔽等待,
  编辑框等待分钟,
  进度条数量,
  按钮选择文件,
  按钮选择文件夹,
  编辑框过滤,
  超级链接框3,
  超级链接框2,
  超级链接框1,
  标签提示,
  状态条,
};

enum class MessageButtons { ok, ok_cancel, yes_no_cancel };
enum class MessageIcon { none, information, warning };
enum class MessageAnswer { ok, cancel, yes, no };

// A message box without owner window. Task-modal boxes block the program's own
// windows; system-modal ones block none of them (the captcha prompt leaves the
// browser usable) but ask to stay above every other window.
struct Message {
  std::string text;     // GBK
  std::string caption;  // GBK; the program's boxes say "信息："
  MessageButtons buttons = MessageButtons::ok;
  MessageIcon icon = MessageIcon::none;
  bool system_modal = false;
};

// The core's one way to reach the window. The program implements it with Qt;
// tests implement it with a scripted fake. All text crossing it is GBK.
class Window {
 public:
  virtual ~Window() = default;

  // Lets queued window events (clicks, repaints) run; event handlers may run
  // nested inside this call.
  virtual void process_pending_events() = 0;

  // Edit boxes, labels and the status bar's panel 0.
  virtual std::string text(Control control) const = 0;
  virtual void set_text(Control control, const std::string& text) = 0;

  // Push buttons, check boxes and radio buttons.
  virtual std::string caption(Control control) const = 0;
  virtual void set_caption(Control control, const std::string& caption) = 0;

  // Check boxes and radio buttons.
  virtual bool checked(Control control) const = 0;
  virtual void set_checked(Control control, bool on) = 0;

  // Drop-down lists, 0-based; -1 when nothing is selected.
  virtual int selected_index(Control control) const = 0;
  virtual void set_selected_index(Control control, int index) = 0;

  virtual bool enabled(Control control) const = 0;
  virtual void set_enabled(Control control, bool on) = 0;
  virtual bool visible(Control control) const = 0;
  virtual void set_visible(Control control, bool on) = 0;

  // Progress bars.
  virtual void set_progress_maximum(Control control, int maximum) = 0;
  virtual void set_progress_position(Control control, int position) = 0;

  // The address a hyperlink label opens; empty for the two without one.
  virtual std::string link_address(Control control) const = 0;

  virtual MessageAnswer show_message(const Message& message) = 0;
  virtual void beep() = 0;
  // Shows the main window if hidden and raises it above the others.
  virtual void bring_to_front() = 0;

  // The open-file dialog of the file batch: several existing files at once.
  // `filters` are its type choices in Qt's form, "文本文件(*.txt)", the first one
  // active. The chosen paths as native bytes; empty when cancelled.
  virtual std::vector<std::filesystem::path> pick_files(const std::string& title,
                                                        const std::vector<std::string>& filters) = 0;
  // The folder browser of the folder batch, opening at `start_folder` (nothing
  // selected when empty), with `prompt` above it. Nothing when cancelled.
  virtual std::optional<std::filesystem::path> pick_folder(const std::string& prompt,
                                                           const std::filesystem::path& start_folder) = 0;

  // The embedded browser (浏览器). Navigating starts loading the address and
  // returns at once; the page loads while events are processed.
  virtual void navigate_browser(const std::string& url) = 0;
  // A text of the page the browser shows: "outerHTML" or "innerText" of its root
  // element, or else the document's own property of that name. Empty when there is
  // no page or it gives no answer within 1000 ms, waiting with events processed.
  virtual std::string browser_document_text(const std::string& property) = 0;
};

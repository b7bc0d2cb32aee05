#include "app/window_events.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "app/enabling_rules.h"
#include "app/help_message.h"
#include "app/hyperlink_label.h"
#include "app/link_addresses.h"
#include "app/main_form.h"
#include "app/native_path.h"
#include "app/picture_button.h"
#include "app/program_objects.h"
#include "app/qt_text.h"
#include "app/qt_window.h"
#include "check/text_expressions.h"
#include "support/detection_settings.h"
#include "support/gbk.h"

namespace {

bool open_in_system_handler(const std::string& address) {
  return QDesktopServices::openUrl(QUrl(qstring_from_gbk(address)));
}

Message info_message(std::string text, MessageButtons buttons) {
  return {std::move(text), gbk("信息："), buttons, MessageIcon::none};
}

}  // namespace

WindowEvents::WindowEvents(MainForm& form, QtWindow& window, ProgramObjects& objects)
    : form_(form), window_(window), objects_(objects), open_address_(open_in_system_handler) {
  QApplication::setQuitOnLastWindowClosed(false);
  bind_setting_controls();
  bind_commands();
  bind_links();
  form_.installEventFilter(this);
}

void WindowEvents::bind_setting_controls() {
  // Clicks and choices by the user only: loading the settings applies the rules itself.
  connect(form_.选择框判断内容, &QCheckBox::clicked, this, [this] { apply_content_check_rule(window_); });
  connect(form_.选择框屏蔽等待, &QCheckBox::clicked, this, [this] { apply_blocking_wait_rule(window_); });
  connect(form_.组合框代理形式, &QComboBox::activated, this, [this] { apply_proxy_rule(window_); });
  connect(form_.选择框浏览器模式检测, &QCheckBox::clicked, this,
          [this] { apply_browser_mode_rule(window_); });
  // The option is always on.
  connect(form_.选择框原创, &QCheckBox::clicked, this,
          [this] { window_.set_checked(Control::选择框原创, true); });
}

void WindowEvents::bind_commands() {
  connect(form_.按钮粘贴, &QPushButton::clicked, this, [this] { paste_clipboard_text(); });
  connect(form_.图片框保存, &PictureButton::clicked, this, [this] { save_with_message(); });
  connect(form_.超级链接框保存, &HyperlinkLabel::pressed, this, [this] { save_with_message(); });
  connect(form_.图片框操作, &PictureButton::clicked, this, [this] { show_help(); });
  connect(form_.超级链接框操作, &HyperlinkLabel::pressed, this, [this] { show_help(); });
}

void WindowEvents::bind_links() {
  for (HyperlinkLabel* link : {form_.超级链接框更新, form_.超级链接框QQ, form_.超级链接框软件,
                               form_.超级链接框3, form_.超级链接框2}) {
    connect(link, &HyperlinkLabel::clicked, this,
            [this, link] { open_address(gbk_from_qstring(link->address())); });
  }
  // The pictures above the links open what their links open.
  const std::pair<PictureButton*, Control> pictures[] = {{form_.图片框更新, Control::超级链接框更新},
                                                         {form_.图片框QQ, Control::超级链接框QQ},
                                                         {form_.图片框软件, Control::超级链接框软件}};
  for (const auto& [picture, link] : pictures) {
    connect(picture, &PictureButton::clicked, this,
            [this, link] { open_address(window_.link_address(link)); });
  }
  connect(form_.超级链接框1, &HyperlinkLabel::clicked, this, [this] { open_newest_report(); });
  connect(form_.图片框官网, &PictureButton::clicked, this,
          [this] { open_address(gbk_from_qstring(link_addresses::readme())); });
}

void WindowEvents::on_main_window_created() {
  load_settings(window_, objects_.loading_store, [this](Control loaded) {
    switch (loaded) {
      case Control::组合框文件编码:
        apply_content_check_rule(window_);
        return;
      case Control::编辑框等待分钟:
        tray_icon_.install(form_.windowIcon(),
                           QStringLiteral("澜岫·原创文章检测器 - 智能检测并归类原创文章站长必备工具"),
                           [this](TrayClick click) { on_tray_icon_click(click); });
        return;
      case Control::选择框浏览器模式检测:
        apply_blocking_wait_rule(window_);
        prepare_window_expressions(objects_.expressions);
        apply_browser_mode_rule(window_);
        apply_proxy_rule(window_);
        return;
      default:
        return;
    }
  });
}

void WindowEvents::on_tray_icon_click(TrayClick click) {
  if (click == TrayClick::left) {
    form_.setVisible(!form_.isVisible());
    if (form_.isVisible()) window_.bring_to_front();
    return;
  }
  const MessageAnswer answer = window_.show_message(
      info_message(gbk("确定要退出《澜岫·原创文章检测器》吗？"), MessageButtons::ok_cancel));
  if (answer == MessageAnswer::ok) end_program();
}

void WindowEvents::end_program() {
  objects_.stop_requested = true;
  window_.refuse_messages();
  save_settings(window_, objects_.settings_store);
  // Also ends any event loop nested in the run (a box, a wait for the browser);
  // the run's own event processing goes on until it sees the stop flag.
  QCoreApplication::exit(0);
}

bool WindowEvents::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &form_ && event->type() == QEvent::Close) end_program();
  return false;
}

void WindowEvents::paste_clipboard_text() {
  // Anything but text on the clipboard clears the body, as empty text does.
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  form_.编辑框内容->setPlainText(data != nullptr && data->hasText() ? data->text() : QString());
}

void WindowEvents::show_help() {
  window_.show_message(info_message(help_message_text(), MessageButtons::ok));
}

void WindowEvents::save_with_message() {
  save_settings_with_message(window_, objects_.settings_store, objects_.configuration_path);
}

void WindowEvents::open_newest_report() {
  const std::optional<std::filesystem::path> newest = objects_.reports.newest_report();
  if (!newest) {
    window_.show_message(info_message(gbk("还没有检测报告：每次检测完毕后，报告写在 ") +
                                          gbk_from_utf8(objects_.reports.path().native()) + gbk(" 里。"),
                                      MessageButtons::ok));
    return;
  }
  const QUrl address = QUrl::fromLocalFile(qstring_from_path(*newest));
  open_address(gbk_from_qstring(address.toString(QUrl::FullyEncoded)));
}

void WindowEvents::open_address(const std::string& address) {
  if (open_address_(address)) return;
  const QUrl url(qstring_from_gbk(address));
  const QString where = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
  window_.show_message(info_message(gbk("没有找到可以打开它的程序，请自己打开：") + gbk_from_qstring(where),
                                    MessageButtons::ok));
}

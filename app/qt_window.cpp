#include "app/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QUrl>
#include <algorithm>

#include "app/batch_dialogs.h"
#include "app/hyperlink_label.h"
#include "app/main_form.h"
#include "app/qt_message_box.h"
#include "app/qt_text.h"

namespace {

// The core separates lines with CR LF; the text widgets with a line feed.
QString with_line_feeds(const std::string& gbk_text) {
  return qstring_from_gbk(gbk_text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string with_crlf(QString text) {
  return gbk_from_qstring(text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

}  // namespace

QtWindow::QtWindow(MainForm& form)
    : form_(form),
      answerer_(show_message_box),
      file_picker_(pick_files_with_dialog),
      folder_picker_(pick_folder_with_dialog),
      browser_(*form.浏览器) {}

void QtWindow::process_pending_events() {
  QApplication::processEvents();
}

std::string QtWindow::text(Control control) const {
  QWidget* widget = form_.widget(control);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return gbk_from_qstring(edit->text());
  if (auto* body = qobject_cast<QPlainTextEdit*>(widget)) return with_crlf(body->toPlainText());
  if (qobject_cast<QStatusBar*>(widget)) return gbk_from_qstring(form_.status_panel()->text());
  if (auto* label = qobject_cast<QLabel*>(widget)) return gbk_from_qstring(label->text());
  return {};
}

void QtWindow::set_text(Control control, const std::string& text) {
  QWidget* widget = form_.widget(control);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->setText(qstring_from_gbk(text));
  if (auto* body = qobject_cast<QPlainTextEdit*>(widget)) return body->setPlainText(with_line_feeds(text));
  if (qobject_cast<QStatusBar*>(widget)) return form_.status_panel()->setText(qstring_from_gbk(text));
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->setText(qstring_from_gbk(text));
}

std::string QtWindow::caption(Control control) const {
  QWidget* widget = form_.widget(control);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return gbk_from_qstring(button->text());
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return gbk_from_qstring(group->title());
  return {};
}

void QtWindow::set_caption(Control control, const std::string& caption) {
  QWidget* widget = form_.widget(control);
  if (auto* button = qobject_cast<QAbstractButton*>(widget))
    return button->setText(qstring_from_gbk(caption));
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->setTitle(qstring_from_gbk(caption));
}

bool QtWindow::checked(Control control) const {
  auto* button = qobject_cast<QAbstractButton*>(form_.widget(control));
  return button != nullptr && button->isChecked();
}

void QtWindow::set_checked(Control control, bool on) {
  auto* button = qobject_cast<QAbstractButton*>(form_.widget(control));
  if (button == nullptr) return;
  // Setting a radio button leaves its partner alone, as only a click clears the
  // partner; Qt would otherwise clear it, or refuse to clear a checked one.
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(false);
  button->setChecked(on);
  button->setAutoExclusive(exclusive);
}

int QtWindow::selected_index(Control control) const {
  auto* combo_box = qobject_cast<QComboBox*>(form_.widget(control));
  return combo_box == nullptr ? -1 : combo_box->currentIndex();
}

void QtWindow::set_selected_index(Control control, int index) {
  // An index outside the items leaves nothing selected (-1).
  if (auto* combo_box = qobject_cast<QComboBox*>(form_.widget(control))) combo_box->setCurrentIndex(index);
}

bool QtWindow::enabled(Control control) const {
  return form_.widget(control)->isEnabled();
}

void QtWindow::set_enabled(Control control, bool on) {
  form_.widget(control)->setEnabled(on);
}

bool QtWindow::visible(Control control) const {
  // The control's own visibility, whether or not the window is shown.
  return !form_.widget(control)->isHidden();
}

void QtWindow::set_visible(Control control, bool on) {
  form_.widget(control)->setVisible(on);
}

void QtWindow::set_progress_maximum(Control control, int maximum) {
  auto* bar = qobject_cast<QProgressBar*>(form_.widget(control));
  if (bar == nullptr) return;
  const int position = bar->value();
  bar->setMaximum(maximum);
  // A shorter range keeps the position at its end rather than emptying the bar.
  bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void QtWindow::set_progress_position(Control control, int position) {
  auto* bar = qobject_cast<QProgressBar*>(form_.widget(control));
  if (bar == nullptr) return;
  // Qt ignores a value outside the range; the bar stops at its end instead.
  bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

std::string QtWindow::link_address(Control control) const {
  auto* link = qobject_cast<HyperlinkLabel*>(form_.widget(control));
  return link == nullptr ? std::string() : gbk_from_qstring(link->address());
}

MessageAnswer QtWindow::show_message(const Message& message) {
  if (messages_refused_) return MessageAnswer::cancel;
  return answerer_(message);
}

void QtWindow::beep() {
  QApplication::beep();
}

void QtWindow::bring_to_front() {
  form_.setWindowState(form_.windowState() & ~Qt::WindowMinimized);
  form_.show();
  form_.raise();
  form_.activateWindow();
}

std::vector<std::filesystem::path> QtWindow::pick_files(const std::string& title,
                                                        const std::vector<std::string>& filters) {
  return file_picker_(title, filters);
}

std::optional<std::filesystem::path> QtWindow::pick_folder(const std::string& prompt,
                                                           const std::filesystem::path& start_folder) {
  return folder_picker_(prompt, start_folder);
}

void QtWindow::navigate_browser(const std::string& url) {
  browser_.navigate(QUrl(qstring_from_gbk(url), QUrl::TolerantMode));
}

std::string QtWindow::browser_document_text(const std::string& property) {
  return gbk_from_qstring(browser_.document_text(qstring_from_gbk(property)));
}

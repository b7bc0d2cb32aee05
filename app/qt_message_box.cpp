#include "app/qt_message_box.h"

#include <QMessageBox>

#include "app/qt_text.h"

namespace {

QMessageBox::StandardButtons standard_buttons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::ok:
      return QMessageBox::Ok;
    case MessageButtons::ok_cancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::yes_no_cancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon standard_icon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::none:
      return QMessageBox::NoIcon;
    case MessageIcon::information:
      return QMessageBox::Information;
    case MessageIcon::warning:
      return QMessageBox::Warning;
  }
  return QMessageBox::NoIcon;
}

MessageAnswer answer_of(int clicked) {
  switch (clicked) {
    case QMessageBox::Ok:
      return MessageAnswer::ok;
    case QMessageBox::Yes:
      return MessageAnswer::yes;
    case QMessageBox::No:
      return MessageAnswer::no;
    default:
      return MessageAnswer::cancel;
  }
}

}  // namespace

MessageAnswer show_message_box(const Message& message) {
  QString text = qstring_from_gbk(message.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(standard_icon(message.icon), qstring_from_gbk(message.caption), text,
                  standard_buttons(message.buttons));
  // Blocks every window of the program; a system-modal box also stays above the others.
  box.setWindowModality(Qt::ApplicationModal);
  if (message.system_modal) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return answer_of(box.exec());
}

#include "app/qt_message_box.h"

#include <QEventLoop>
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
  if (!message.system_modal) {
    // Blocks every window of the program.
    box.setWindowModality(Qt::ApplicationModal);
    return answer_of(box.exec());
  }
  // Without an owner, a system-modal box blocks none of the program's windows: the
  // captcha it asks for is typed into the page in the browser while it is open.
  // It stays above the other windows.
  box.setWindowModality(Qt::NonModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  QEventLoop answered;
  QObject::connect(&box, &QMessageBox::finished, &answered, &QEventLoop::quit);
  box.show();
  answered.exec();
  return answer_of(box.standardButton(box.clickedButton()));
}

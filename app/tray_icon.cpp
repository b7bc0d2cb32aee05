#include "app/tray_icon.h"

#include <QIcon>
#include <QSystemTrayIcon>

void TrayIcon::install(const QIcon& icon, const QString& tip, std::function<void(TrayClick)> handler) {
  handler_ = std::move(handler);
  icon_ = new QSystemTrayIcon(icon, this);
  icon_->setToolTip(tip);
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) handler_(TrayClick::left);
    if (reason == QSystemTrayIcon::Context) handler_(TrayClick::right);
  });
  icon_->show();
}

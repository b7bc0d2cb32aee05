#pragma once

#include <QObject>
#include <functional>

class QIcon;
class QSystemTrayIcon;

enum class TrayClick { left, right };

// The program's icon in the notification area.
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  // Shows `icon` with `tip` and reports left and right clicks on it to `handler`.
  // Without a notification area the program simply has no icon; Qt puts the icon
  // in as soon as one appears, and again after the panel that holds it restarts.
  void install(const QIcon& icon, const QString& tip, std::function<void(TrayClick)> handler);

 private:
  QSystemTrayIcon* icon_ = nullptr;
  std::function<void(TrayClick)> handler_;
};

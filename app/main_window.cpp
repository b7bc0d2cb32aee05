#include "app/main_window.h"

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("澜岫·原创文章检测器 v1.41 - 模拟真人搜索百度检测归类原创文章"));
  setFixedSize(920, 648);
}

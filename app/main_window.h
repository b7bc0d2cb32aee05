#pragma once

#include <QWidget>

// The program's one window.
class MainWindow : public QWidget {
  Q_OBJECT

public:
  explicit MainWindow(QWidget* parent = nullptr);
};

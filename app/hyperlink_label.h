#pragma once

#include <QLabel>

// A label drawn in link colour (the form gives it an underlined font). One with an address opens it when
// clicked (the window connects `clicked` to its address opener); one without reacts as soon as the left
// button goes down (`pressed`).
class HyperlinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit HyperlinkLabel(QWidget* parent);

  const QString& address() const { return address_; }
  void set_address(const QString& address) { address_ = address; }

 signals:
  void pressed();
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString address_;
};

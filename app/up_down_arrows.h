#pragma once

#include <QWidget>

class QLineEdit;

// Up-down arrows attached to the right end of a line edit, as one control with
// it. The edit keeps free text: an arrow (or the Up and Down keys in the edit)
// reads the number at the start of the text, steps it by one within the range and
// writes it back; the text is left alone otherwise.
class UpDownArrows : public QWidget {
  Q_OBJECT

 public:
  UpDownArrows(QLineEdit* buddy, int minimum, int maximum);

  void step(int direction);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* buddy_;
  int minimum_;
  int maximum_;
};

#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn from two pictures: the normal one, and the highlighted one while
// the mouse is over it or it is held down. It shows the hand cursor.
class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent);

  // Loads both pictures (resource paths); the button keeps the size it was given.
  void set_pictures(const QString& normal, const QString& highlighted);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap normal_;
  QPixmap highlighted_;
};

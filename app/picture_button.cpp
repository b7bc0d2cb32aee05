#include "app/picture_button.h"

#include <QPainter>

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
  // Enter and leave events repaint the button, so the highlight follows the mouse.
  setAttribute(Qt::WA_Hover);
}

void PictureButton::set_pictures(const QString& normal, const QString& highlighted) {
  normal_ = QPixmap(normal);
  highlighted_ = QPixmap(highlighted);
  update();
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool highlighted = underMouse() || isDown();
  painter.drawPixmap(0, 0, highlighted ? highlighted_ : normal_);
}

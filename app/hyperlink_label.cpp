#include "app/hyperlink_label.h"

#include <QMouseEvent>

HyperlinkLabel::HyperlinkLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  QPalette link_palette = palette();
  link_palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(link_palette);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit pressed();
  QLabel::mousePressEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click ends inside the label; letting go elsewhere cancels it.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}

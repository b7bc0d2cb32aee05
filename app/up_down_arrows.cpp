#include "app/up_down_arrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "app/qt_text.h"
#include "support/text_helpers.h"

namespace {

constexpr int kArrowsWidth = 16;

QToolButton* make_arrow(QWidget* parent, Qt::ArrowType type, QRect geometry) {
  auto* arrow = new QToolButton(parent);
  arrow->setArrowType(type);
  arrow->setAutoRepeat(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  arrow->setGeometry(geometry);
  return arrow;
}

}  // namespace

UpDownArrows::UpDownArrows(QLineEdit* buddy, int minimum, int maximum)
    : QWidget(buddy), buddy_(buddy), minimum_(minimum), maximum_(maximum) {
  const int height = buddy->height();
  setGeometry(buddy->width() - kArrowsWidth, 0, kArrowsWidth, height);
  // The text keeps clear of the arrows, as with an edit that gave up its right end.
  buddy->setTextMargins(0, 0, kArrowsWidth, 0);
  QToolButton* up = make_arrow(this, Qt::UpArrow, QRect(0, 0, kArrowsWidth, height / 2));
  QToolButton* down =
      make_arrow(this, Qt::DownArrow, QRect(0, height / 2, kArrowsWidth, height - height / 2));
  connect(up, &QToolButton::clicked, this, [this] { step(1); });
  connect(down, &QToolButton::clicked, this, [this] { step(-1); });
  buddy->installEventFilter(this);
}

void UpDownArrows::step(int direction) {
  // The same reading of the text as every user of the setting makes; a fraction
  // survives the step ("1.5" goes to "2.5").
  const double value = to_number(gbk_from_qstring(buddy_->text()));
  const double stepped =
      std::clamp(value + direction, static_cast<double>(minimum_), static_cast<double>(maximum_));
  buddy_->setText(qstring_from_gbk(format_decimal_2(stepped)));
}

bool UpDownArrows::eventFilter(QObject* watched, QEvent* event) {
  if (watched != buddy_ || event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
  step(key == Qt::Key_Up ? 1 : -1);
  return true;
}

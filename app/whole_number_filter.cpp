#include "app/whole_number_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace {

bool is_whole_number_character(QChar c) {
  return (c >= u'0' && c <= u'9') || c == u'-';
}

// Drops key presses that would type something other than digits and minus.
class WholeNumberFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Control keys and shortcuts such as Ctrl+V carry no printable text.
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint()) return false;
    return !std::all_of(typed.begin(), typed.end(), is_whole_number_character);
  }
};

}  // namespace

void restrict_to_whole_number_typing(QLineEdit* edit) {
  edit->installEventFilter(new WholeNumberFilter(edit));
  // An input method would commit whole words past the key filter.
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
}

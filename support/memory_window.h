#pragma once

#include <map>
#include <string>

#include "support/window.h"

// A window whose controls are values in memory: what a program without a screen
// and the tests' scripted window share. A control never set reads empty,
// unchecked, at index 0, enabled and visible.
class MemoryWindow : public Window {
 public:
  std::string text(Control control) const override { return value_or(texts_, control, std::string()); }
  void set_text(Control control, const std::string& text) override { texts_[control] = text; }
  std::string caption(Control control) const override { return value_or(captions_, control, std::string()); }
  void set_caption(Control control, const std::string& caption) override { captions_[control] = caption; }
  bool checked(Control control) const override { return value_or(checked_, control, false); }
  void set_checked(Control control, bool on) override { checked_[control] = on; }
  int selected_index(Control control) const override { return value_or(selected_, control, 0); }
  void set_selected_index(Control control, int index) override { selected_[control] = index; }
  bool enabled(Control control) const override { return value_or(enabled_, control, true); }
  void set_enabled(Control control, bool on) override { enabled_[control] = on; }
  bool visible(Control control) const override { return value_or(visible_, control, true); }
  void set_visible(Control control, bool on) override { visible_[control] = on; }

 protected:
  template <typename Value>
  static Value value_or(const std::map<Control, Value>& map, Control control, Value fallback) {
    const auto it = map.find(control);
    return it == map.end() ? fallback : it->second;
  }

 private:
  std::map<Control, std::string> texts_;
  std::map<Control, std::string> captions_;
  std::map<Control, bool> checked_;
  std::map<Control, int> selected_;
  std::map<Control, bool> enabled_;
  std::map<Control, bool> visible_;
};

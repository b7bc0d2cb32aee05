#pragma once

#include <functional>
#include <map>
#include <string>

#include "support/window.h"

// A window without widgets: controls are entries in maps, and a test can
// script what happens whenever the core lets pending events run.
class FakeWindow : public Window {
 public:
  void process_pending_events() override {
    ++event_rounds;
    if (on_events) on_events();
  }

  bool checked(Control control) const override {
    const auto it = checked_.find(control);
    return it != checked_.end() && it->second;
  }
  void set_checked(Control control, bool on) override { checked_[control] = on; }

  std::string caption(Control control) const override {
    const auto it = captions_.find(control);
    return it == captions_.end() ? std::string() : it->second;
  }
  void set_caption(Control control, std::string gbk_caption) { captions_[control] = std::move(gbk_caption); }

  int event_rounds = 0;
  std::function<void()> on_events;

 private:
  std::map<Control, bool> checked_;
  std::map<Control, std::string> captions_;
};

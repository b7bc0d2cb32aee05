#include "app/self_check.h"

#include <cstdio>

#include "app/browser_view.h"
#include "app/program_objects.h"
#include "support/detection_settings.h"
#include "support/text_helpers.h"
#include "support/window.h"

namespace {

// The engine's first page takes a few hundred milliseconds; this is ample.
constexpr int kPageChecks = 100;
constexpr int kPageCheckIntervalMs = 100;

bool browser_shows_a_page(Window& window) {
  window.navigate_browser("about:blank");
  const bool never_stopped = false;
  for (int check = 0; check < kPageChecks; ++check) {
    // Empty at once when the module did not load.
    if (window.browser_document_text("readyState") == "complete") return true;
    wait_ms(window, kPageCheckIntervalMs, never_stopped);
  }
  return false;
}

}  // namespace

int run_self_check(Window& window, ProgramObjects& objects) {
  const bool browser_ok = browser_shows_a_page(window);
  std::printf("embedded browser from %s: %s\n", qPrintable(browser_module_path()),
              browser_ok ? "loaded" : "NOT LOADED");

  const ProfileWrite saved = save_settings(window, objects.settings_store);
  std::printf("settings saved to %s: %s\n", objects.configuration_path.c_str(),
              saved.written() ? "yes" : saved.error.message().c_str());
  return browser_ok && saved.written() ? 0 : 1;
}

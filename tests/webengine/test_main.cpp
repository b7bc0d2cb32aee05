#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "app/browser_sandbox.h"
#include "tests/webengine/site_engine.h"

#if defined(__SANITIZE_ADDRESS__)
// Qt WebEngine's Chromium frees some of its objects with the size of another type
// (new-delete-type-mismatch in libQt6WebEngineCore, when a page goes). Our code
// cannot mend that; the check stays on in every other test program.
extern "C" const char* __asan_default_options() {
  return "new_delete_type_mismatch=0";
}
#endif

LocalEngine& site_engine() {
  static LocalEngine engine;
  return engine;
}

// The web engine's tests share one web engine, which starts once per process.
// It draws offscreen unless the caller chose a platform; it asks the local engine
// for every address, as its proxy, and sends nothing of its own (updates,
// sync, background requests).
int main(int argc, char* argv[]) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  allow_browser_as_root();
  const std::string flags = "--proxy-server=http://" + site_engine().address() +
                            " --proxy-bypass-list=<-loopback> --disable-background-networking"
                            " --disable-component-update --no-first-run --disable-sync";
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

#pragma once

#include <QString>
#include <memory>

#include "app/browser_engine.h"

class QUrl;
class QWidget;

// The file of the web engine's module that the browser loads: beside the
// program, where the package installs it, or where the build put it.
QString browser_module_path();

// The embedded browser 浏览器 in its container. The web view is created the first
// time a page is opened, not with the window, and kept for the rest of the
// session with its cookies (a captcha solved stays solved).
class BrowserView {
 public:
  explicit BrowserView(QWidget& container);
  ~BrowserView();
  BrowserView(const BrowserView&) = delete;
  BrowserView& operator=(const BrowserView&) = delete;

  void navigate(const QUrl& url);
  // See BrowserEngine::document_text; empty before the first navigation.
  QString document_text(const QString& property);

 private:
  QWidget& container_;
  std::unique_ptr<BrowserEngine> engine_;
  bool engine_unavailable_ = false;
};

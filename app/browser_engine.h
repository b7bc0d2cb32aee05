#pragma once

#include <QString>

class QUrl;
class QWidget;

// The web engine behind the embedded browser 浏览器. It lives in a module of its
// own that the program loads at the first navigation, so that nothing of the
// engine is mapped or set up while the window starts.
class BrowserEngine {
 public:
  virtual ~BrowserEngine() = default;

  // Starts loading; the page loads while events are processed.
  virtual void navigate(const QUrl& url) = 0;
  // "outerHTML" or "innerText" of the page's root element, or the document's own
  // property of that name. Empty when there is no page or no answer within
  // 1000 ms, waiting with events processed.
  virtual QString document_text(const QString& property) = 0;
};

// The module's one entry point, by this name: an engine whose view fills
// `container` and is owned by it.
using CreateBrowserEngine = BrowserEngine* (*)(QWidget* container);
inline constexpr char kCreateBrowserEngineSymbol[] = "create_browser_engine";

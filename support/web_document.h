#pragma once

#include <string>

class Window;

// The page shown by the window's embedded browser. The browser keeps the page;
// this object only knows which window's browser to ask, so reads always see the
// page loaded last.
class WebDocument {
 public:
  // From now on reads go to the browser of `window`.
  void attach(Window& window) { window_ = &window; }

  // "outerHTML" or "innerText" of the page's root element, or the document's own
  // property of that name, as GBK. Empty when attached to nothing, when there is
  // no page, or when the page gives no answer in time.
  std::string document_text(const std::string& property) const;

 private:
  Window* window_ = nullptr;
};

#include "support/web_document.h"

#include "support/window.h"

std::string WebDocument::document_text(const std::string& property) const {
  if (window_ == nullptr) return {};
  return window_->browser_document_text(property);
}

#pragma once

#include <string>

#include "search/http_request.h"

// A result page as a fetch brought it back.
struct FetchedPage {
  std::string text{};       // GBK; empty when the fetch failed
  std::string final_url{};  // after redirects; empty when unknown
  int status = 0;           // HTTP status, 0 when there was no answer or no HTTP
  HttpFailure failure = HttpFailure::none;
  bool asks_verification = false;  // the engine's page for suspected robots

  // No answer at all, an HTTP error status or a verification page: the page says
  // nothing about the sentence.
  bool failed() const { return failure != HttpFailure::none || status >= 400 || asks_verification; }
};

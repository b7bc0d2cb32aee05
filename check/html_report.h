#pragma once

#include <string>
#include <string_view>

#include "check/sentence_answer.h"

struct CheckRecord;

// A page for the person who doubts a verdict: the verdict with its counts and
// settings, the article with every searched sentence marked (red: the engine has
// it, green: it has not), and a table of the searched sentences with the result
// that holds each indexed one. Self-contained UTF-8 HTML that reads offline; every
// text from the article or an engine page is escaped, and only http and https
// addresses become links.
std::string html_report(const CheckRecord& record);

// `text` (UTF-8) with the characters that mean something in HTML written as entities.
std::string html_escaped(std::string_view text);

// True for an address that may be a link in a report: http or https.
bool is_web_address(std::string_view address);

// The outcome as the report and the batch's list name it: 收录, 未收录, ... (UTF-8).
std::string_view outcome_text(SentenceOutcome outcome);

#pragma once

#include <string>
#include <string_view>

#include "check/sentence_answer.h"

class RegexObject;
struct Engine;
struct FetchedPage;

// True when the engine answered with the page it sends suspected robots to: a 403
// or 429 status, an address under its verification path, or a page with neither a
// result list nor a "no results" notice that asks to prove a human is searching.
// Such a page says nothing about the sentence.
bool asks_for_verification(const Engine& engine, const FetchedPage& page);

// True when the engine answered with the page it sends a client that runs no script
// to: an address under one of its script-only paths, or a page without a result
// list that sends its reader there.
bool needs_script(const Engine& engine, const FetchedPage& page);

// True when `url` is where the engine sends suspected robots or clients that run no
// script (Baidu: its captcha). A redirect there is answer enough: it is not followed.
bool is_robot_address(const Engine& engine, std::string_view url);

// The "[fg]" list of the forms a sentence is looked for in: as it is, and with its
// full-width letters and digits made half-width when that differs.
std::string sentence_forms(std::string_view sentence);

// Reads a result page (GBK) of the engine for the sentence (Simplified, GBK):
// indexed when the sentence, or its half-width form, stands in the result list once
// the list's tags are removed by `tag_expression`; not indexed when it does not, or
// when the page carries the engine's "no results" notice; unrecognised when the
// page holds neither a list nor that notice.
SentenceOutcome judge_result_page(const Engine& engine, std::string_view page, std::string_view sentence,
                                  const RegexObject& tag_expression);

// Feeds arbitrary answers to the reading of an engine's result page: the charset
// choice, the verification and "no results" recognition, the list cut, the tag
// removal and the final search; and checks what must hold for any input.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/engine_table.h"
#include "search/fetched_page.h"
#include "search/response_text.h"
#include "search/result_list.h"
#include "search/result_page.h"
#include "support/gbk.h"
#include "support/regex_object.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

const RegexObject& tag_expression() {
  static const RegexObject expression = [] {
    RegexObject tags;
    tags.set_pattern("<.*?>");
    return tags;
  }();
  return expression;
}

}  // namespace

// The first byte picks the engine, the header charset and the status; the rest is
// the answer's body, cut at its first zero byte as a fetch cuts it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t choice = data[0];
  std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
  body = body.substr(0, body.find('\0'));

  static const int engines = [] {
    int count = 0;
    while (engine_at(count) != nullptr) ++count;
    return count;
  }();
  const Engine& engine = *engine_at(choice % engines);
  static constexpr std::string_view kHeaderCharsets[] = {"", "utf-8", "gbk", "gb18030"};
  const FetchedPage page{.text = decode_response_text(body, 0, kHeaderCharsets[(choice / engines) % 4]),
                         .final_url = "http://" + std::string(engine.host) + "/s",
                         .status = choice >= 240 ? 429 : 200};
  const bool verification = asks_for_verification(engine, page);
  require(verification || page.status != 429);

  static const std::string sentence = gbk("中国最权威最专业的海量词典");
  const SentenceOutcome outcome = judge_result_page(engine, page.text, sentence, tag_expression());
  const bool has_list = cut_result_list(engine, page.text).has_value();
  // Only a page with a list can hold the sentence, and only one without can be unreadable.
  require(outcome != SentenceOutcome::indexed || has_list);
  require(outcome != SentenceOutcome::unrecognised || !has_list);
  require(outcome == SentenceOutcome::indexed || outcome == SentenceOutcome::not_indexed ||
          outcome == SentenceOutcome::unrecognised);
  return 0;
}

#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_context.h"
#include "check/random_seeder.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"

// A check run against a fake window and a scripted engine. The window starts with
// the content check ticked, 10 sentences by the not-indexed rate at 60 %, no
// interval and no minimum length; the expressions are ready as at the start of a run.
class CheckFixture : public ::testing::Test {
 protected:
  // One question put to the engine.
  struct Query {
    std::string sentence;  // UTF-8
    int engine_index = 0;
    std::string status;    // UTF-8 status text at the time of the question
    int event_rounds = 0;  // event rounds the run had let pass by then
  };

  CheckFixture() {
    window.set_text(Control::编辑框句数, "10");
    window.set_text(Control::编辑框判断比例, "60");
    window.set_text(Control::编辑框间隔秒, "0");
    window.set_text(Control::编辑框最少字数, "0");
    window.set_checked(Control::单选框按未收录率, true);
    window.set_checked(Control::选择框判断内容, true);
    window.set_caption(Control::按钮立即检测, gbk("立即检测 >>>"));
    prepare_window_expressions(expressions);
    build_cleaning_expression(window, expressions);
  }

  void set_text(Control control, std::string_view utf8) { window.set_text(control, gbk(utf8)); }
  std::string status_utf8() const { return utf8_from_gbk(window.text(Control::状态条)); }

  // "第1个句子。第2个句子。...": `count` distinct sentences (UTF-8).
  static std::string numbered_sentences(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "第" + std::to_string(i) + "个句子。";
    return text;
  }

  FakeWindow window;
  bool stop_requested = false;
  TextExpressions expressions;
  // A fixed clock: the sentences are drawn in the same order at every run.
  RandomSeeder seeder{[] { return uint32_t{1}; }};
  // The engine's answers in the order of the questions; once they run out, the
  // default answer.
  std::deque<bool> answers;
  bool default_answer = false;
  // Sentences (UTF-8) whose result page cannot be read.
  std::set<std::string> unreadable;
  // Runs inside each question, before it is answered (a search that stops the run).
  std::function<void()> on_query;
  std::vector<Query> queries;

  CheckContext context{
      window, stop_requested, expressions, seeder, [this](std::string_view sentence, int engine_index) {
        queries.push_back({utf8_from_gbk(sentence), engine_index, status_utf8(), window.event_rounds});
        if (on_query) on_query();
        bool answer = default_answer;
        if (!answers.empty()) {
          answer = answers.front();
          answers.pop_front();
        }
        if (unreadable.contains(queries.back().sentence))
          return SentenceAnswer{SentenceOutcome::unrecognised, {}, {}, {}};
        return SentenceAnswer{answer ? SentenceOutcome::indexed : SentenceOutcome::not_indexed, {}, {}, {}};
      }};
};

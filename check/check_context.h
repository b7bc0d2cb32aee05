#pragma once

#include <functional>
#include <string_view>

#include "check/check_record.h"
#include "check/sentence_answer.h"

class RandomSeeder;
class RememberedAnswers;
class ReportFolder;
class Window;
struct TextExpressions;

// Asks the search engine at `engine_index` (the engine combo's selection) whether
// it has the sentence (GBK) indexed. It may raise the run's stop flag; the answer
// is then not indexed.
using SentenceJudge = std::function<SentenceAnswer(std::string_view sentence, int engine_index)>;

// What a check run works with; the program owns all of it for its whole life.
struct CheckContext {
  Window& window;
  // The one flag that ends a run: the stop click, the warning that no check is
  // ticked and the search layer raise it; every loop and wait of a run tests it.
  bool& stop_requested;
  TextExpressions& expressions;
  RandomSeeder& seeder;
  SentenceJudge is_sentence_indexed;
  // The evidence of the latest check, filled as it runs.
  CheckRecord record{};
  // Where each check's report is written when it has its verdict, before the
  // verdict is shown; none, no report is written.
  const ReportFolder* reports = nullptr;
  // The engines' earlier answers: asked before the engine, and told its answers.
  // None, every sentence is asked and the draw is seeded by the clock.
  RememberedAnswers* remembered = nullptr;
};

#pragma once

#include <optional>
#include <string>
#include <vector>
#include <string_view>

#include "check/check_context.h"
#include "check/piece_order.h"
#include "check/sentence_answer.h"

// The answer for one sentence (GBK) from the engine chosen in the window: a fresh
// one remembered from before when there is one, which costs no query and no wait;
// else the engine's, asked after `wait_before_query_ms` (the pacing between two
// queries) and remembered. None when the run was stopped during that wait; without a wait
// the engine is asked whatever the stop flag says.
std::optional<SentenceAnswer> answer_sentence(CheckContext& context, std::string_view sentence,
                                              int wait_before_query_ms);

// The remembered answers a check may use now; none when there are none to be had.
RememberedAnswers* usable_answers(CheckContext& context);

// The order a check offers the article's pieces in: by the keyed hash of each
// trimmed piece's searched form when remembered answers can be had, so that a
// check asks again what it asked before; else the clock-seeded draw.
PieceOrder order_of_pieces(CheckContext& context, const std::vector<std::string>& pieces);

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class RegexObject;

// The cleaned content cut at every match of the delimiter expression, and at every
// "⊥" the article itself holds (the mark the matches are replaced with). Empty pieces
// (two delimiters in a row, a delimiter at the start) are kept, an empty rest after
// the last cut is not; pieces are not trimmed. Empty content gives no pieces.
std::vector<std::string> split_sentences(const RegexObject& delimiter_expression,
                                         std::string_view cleaned_content);

// The text without blanks, full-width blanks and tabs at the start and end of each
// of its lines: the trim expression applied with an empty replacement.
std::string trim_blanks(const RegexObject& trim_expression, std::string_view text);

// The length a sentence must reach (最少字数): an ASCII character counts one, and
// the other bytes, CR and LF included, count one per pair, whatever the character
// boundaries say.
int count_chars(std::string_view text);

// How many sentences the verdict counts: the requested number, lowered to the
// number of pieces when there are fewer.
int sentence_count_for_verdict(int requested, size_t pieces);

#pragma once

class RegexObject;

// Gives the two expressions the window prepares once, when it is created, their
// patterns: the tag expression removes markup from result pages, the trim
// expression strips blanks, full-width blanks and tabs from both ends of a text.
void prepare_window_expressions(RegexObject& tag_expression, RegexObject& trim_expression);

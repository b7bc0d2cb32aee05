#include "app/window_expressions.h"

#include "support/gbk.h"
#include "support/regex_object.h"
#include "support/text_search.h"

void prepare_window_expressions(RegexObject& tag_expression, RegexObject& trim_expression) {
  tag_expression.set_pattern("<.*?>");
  // The pattern is kept with a 9 standing for the tab character.
  trim_expression.set_pattern(replace_all_exact(gbk("^[ 　9]+|[ 　9]+$"), "9", "\t"));
}

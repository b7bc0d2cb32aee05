#pragma once

#include <string_view>

// True when `pattern` (UTF-8) has a brace that VBScript rejects but PCRE2 would
// read as a literal: outside a class, an unescaped "{" must open a counted
// repetition {n}, {n,} or {n,m}. So "\d{-2,}" is no valid pattern, as in VBScript.
bool has_brace_vbscript_rejects(std::string_view pattern);

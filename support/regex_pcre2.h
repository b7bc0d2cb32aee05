#pragma once

// PCRE2's 8-bit library, and owners for its objects.

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>

template <auto Free>
struct Pcre2Free {
  template <typename T>
  void operator()(T* object) const {
    Free(object);
  }
};

using Pcre2CompileContextPtr = std::unique_ptr<pcre2_compile_context, Pcre2Free<pcre2_compile_context_free>>;
using Pcre2CodePtr = std::unique_ptr<pcre2_code, Pcre2Free<pcre2_code_free>>;
using Pcre2MatchDataPtr = std::unique_ptr<pcre2_match_data, Pcre2Free<pcre2_match_data_free>>;
using Pcre2MatchContextPtr = std::unique_ptr<pcre2_match_context, Pcre2Free<pcre2_match_context_free>>;
using Pcre2JitStackPtr = std::unique_ptr<pcre2_jit_stack, Pcre2Free<pcre2_jit_stack_free>>;

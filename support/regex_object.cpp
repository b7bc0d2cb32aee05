#include "support/regex_object.h"

#include <span>
#include <utility>

#include "support/gbk.h"
#include "support/regex_gbk_length.h"
#include "support/regex_pcre2.h"
#include "support/regex_replacement.h"
#include "support/regex_syntax.h"

static_assert(kUnsetOffset == PCRE2_UNSET);

namespace {

// Room for the JIT beyond its default 32 KB, for groups repeated over a sentence or
// two; longer runs fall back to the interpreter.
constexpr size_t kJitStackStart = 32 * 1024;
constexpr size_t kJitStackMax = 1024 * 1024;

// Options that are part of the compiled code; Global is applied while matching.
constexpr uint32_t kCompiledOptions = RegexObject::kIgnoreCase | RegexObject::kMultiline;

size_t utf8_char_length(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  if (byte < 0x80) return 1;
  if (byte < 0xE0) return 2;
  if (byte < 0xF0) return 3;
  return 4;
}

}  // namespace

class RegexObject::CompiledPattern {
 public:
  // Null when the pattern is no valid VBScript pattern or the engine rejects it.
  static std::unique_ptr<CompiledPattern> compile(std::string_view utf8_pattern, uint32_t options) {
    if (has_brace_vbscript_rejects(utf8_pattern)) return nullptr;
    const Pcre2CompileContextPtr context(pcre2_compile_context_create(nullptr));
    if (!context) return nullptr;
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    // No PCRE2_UCP: the escape classes stay ASCII. ALT_BSUX and MATCH_UNSET_BACKREF
    // give \uHHHH, \xHH and back-references to unset groups their VBScript meaning;
    // without Multiline, "$" matches only at the very end.
    uint32_t flags = PCRE2_UTF | PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF;
    if (options & kIgnoreCase) flags |= PCRE2_CASELESS;
    flags |= (options & kMultiline) ? PCRE2_MULTILINE : PCRE2_DOLLAR_ENDONLY;
    int error = 0;
    PCRE2_SIZE error_offset = 0;
    Pcre2CodePtr code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8_pattern.data()), utf8_pattern.size(),
                                    flags, &error, &error_offset, context.get()));
    if (!code) return nullptr;
    Pcre2MatchDataPtr match_data(pcre2_match_data_create_from_pattern(code.get(), nullptr));
    Pcre2MatchContextPtr match_context(pcre2_match_context_create(nullptr));
    if (!match_data || !match_context) return nullptr;
    // Without the JIT (or when it fails) pcre2_match interprets the code instead.
    Pcre2JitStackPtr jit_stack;
    if (pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) == 0) {
      jit_stack.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
      if (jit_stack) pcre2_jit_stack_assign(match_context.get(), nullptr, jit_stack.get());
    }
    return std::unique_ptr<CompiledPattern>(new CompiledPattern(
        std::move(code), std::move(match_data), std::move(match_context), std::move(jit_stack)));
  }

  int group_count() const {
    uint32_t count = 0;
    pcre2_pattern_info(code_.get(), PCRE2_INFO_CAPTURECOUNT, &count);
    return static_cast<int>(count);
  }

  // Calls on_match with the offsets of the whole match and of each group (see
  // ReplacementTemplate) for the first match or, when `global`, for every match left
  // to right. Matches do not overlap; after an empty match the search goes on one
  // character further. False when the engine fails.
  template <typename OnMatch>
  bool for_each_match(const std::string& subject, bool global, OnMatch&& on_match) const {
    const size_t offset_count = 2 * static_cast<size_t>(group_count() + 1);
    size_t start = 0;
    while (start <= subject.size()) {
      const int result = match_from(subject, start);
      if (result == PCRE2_ERROR_NOMATCH) return true;
      if (result < 0) return false;
      const std::span<const size_t> offsets(pcre2_get_ovector_pointer(match_data_.get()), offset_count);
      on_match(offsets);
      if (!global) return true;
      start = offsets[1];
      if (offsets[0] == offsets[1]) {
        if (start == subject.size()) return true;
        start += utf8_char_length(subject[start]);
      }
    }
    return true;
  }

 private:
  int match_from(const std::string& subject, size_t start) const {
    // The subject is our own conversion's output, which is always valid UTF-8;
    // checking it again on every call would make a global search quadratic.
    const auto match = [&](uint32_t flags) {
      return pcre2_match(code_.get(), reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), start,
                         PCRE2_NO_UTF_CHECK | flags, match_data_.get(), match_context_.get());
    };
    const int result = match(0);
    // The interpreter keeps its backtracking state on the heap, where a group
    // repeated over a long text still fits.
    if (result == PCRE2_ERROR_JIT_STACKLIMIT) return match(PCRE2_NO_JIT);
    return result;
  }

  CompiledPattern(Pcre2CodePtr code, Pcre2MatchDataPtr match_data, Pcre2MatchContextPtr match_context,
                  Pcre2JitStackPtr jit_stack)
      : code_(std::move(code)),
        match_data_(std::move(match_data)),
        match_context_(std::move(match_context)),
        jit_stack_(std::move(jit_stack)) {}

  Pcre2CodePtr code_;
  Pcre2MatchDataPtr match_data_;  // scratch space of every match
  Pcre2MatchContextPtr match_context_;
  Pcre2JitStackPtr jit_stack_;
};

RegexObject::RegexObject() {
  compile();
}

RegexObject::~RegexObject() = default;

// A copy compiles its own code rather than sharing the engine with the original.
RegexObject::RegexObject(const RegexObject& other)
    : kept_(other.kept_), options_(other.options_), pattern_(other.pattern_) {
  compile();
}

RegexObject& RegexObject::operator=(const RegexObject& other) {
  if (this != &other) *this = RegexObject(other);
  return *this;
}

RegexObject::RegexObject(RegexObject&& other) noexcept = default;
RegexObject& RegexObject::operator=(RegexObject&& other) noexcept = default;

void RegexObject::compile() {
  ++compilations_;
  compiled_ = CompiledPattern::compile(utf8_from_gbk(pattern_), options_);
}

bool RegexObject::set_pattern(std::string_view pattern, bool case_sensitive, bool single_line,
                              bool local_only) {
  const uint32_t options =
      (case_sensitive ? 0 : kIgnoreCase) | (single_line ? 0 : kMultiline) | (local_only ? 0 : kGlobal);
  // An empty pattern keeps the current one. Global is not compiled in, so a change
  // of Global alone, like the same pattern and options again, compiles nothing.
  const bool pattern_changes = !pattern.empty() && pattern != pattern_;
  const bool compiled_options_change = (options & kCompiledOptions) != (options_ & kCompiledOptions);
  options_ = options;
  if (pattern_changes) pattern_ = pattern;
  if (pattern_changes || compiled_options_change) compile();
  return true;
}

bool RegexObject::set_pattern_positive(std::string_view pattern, bool ignore_case, bool multi_line,
                                       bool global_match) {
  return set_pattern(pattern, !ignore_case, !multi_line, !global_match);
}

std::string RegexObject::regex_replace(std::string_view subject, std::string_view replacement) const {
  if (!compiled_) return {};
  const std::string text = utf8_from_gbk(subject);
  const ReplacementTemplate expansion(utf8_from_gbk(replacement), compiled_->group_count());
  // The text between matches is copied from the subject as it was; only the
  // expanded replacements come back from UTF-8.
  std::string result;
  result.reserve(subject.size());
  std::string expanded;
  const GbkLengths gbk_lengths(subject, text);
  const auto gbk_length_between = [&](size_t from, size_t to) {
    return gbk_lengths.of(std::string_view(text).substr(from, to - from));
  };
  size_t text_done = 0;
  size_t subject_done = 0;
  const bool succeeded =
      compiled_->for_each_match(text, options_ & kGlobal, [&](std::span<const size_t> offsets) {
        const size_t match_start = subject_done + gbk_length_between(text_done, offsets[0]);
        result.append(subject.substr(subject_done, match_start - subject_done));
        expanded.clear();
        expansion.append_expansion(expanded, text, offsets);
        if (!expanded.empty()) result.append(gbk_from_utf8(expanded));
        subject_done = match_start + gbk_length_between(offsets[0], offsets[1]);
        text_done = offsets[1];
      });
  if (!succeeded) return {};
  result.append(subject.substr(subject_done));
  return result;
}

std::string RegexObject::regex_replace(std::string_view subject, std::string_view replacement,
                                       std::string_view pattern, bool case_sensitive, bool single_line,
                                       bool local_only) {
  set_pattern(pattern, case_sensitive, single_line, local_only);
  return regex_replace(subject, replacement);
}

int RegexObject::execute_matches(std::string_view subject) {
  kept_ = {};
  if (!compiled_) return 0;
  KeptMatches kept{utf8_from_gbk(subject), compiled_->group_count(), {}};
  const bool succeeded =
      compiled_->for_each_match(kept.subject, options_ & kGlobal, [&](std::span<const size_t> offsets) {
        kept.offsets.insert(kept.offsets.end(), offsets.begin(), offsets.end());
      });
  if (!succeeded) return 0;
  kept_ = std::move(kept);
  return match_count();
}

int RegexObject::set_and_execute(std::string_view pattern, std::string_view subject, bool case_sensitive,
                                 bool single_line, bool local_only) {
  set_pattern(pattern, case_sensitive, single_line, local_only);
  return execute_matches(subject);
}

bool RegexObject::test_match(std::string_view subject) const {
  if (!compiled_) return false;
  bool found = false;
  const bool succeeded = compiled_->for_each_match(utf8_from_gbk(subject), false,
                                                   [&](std::span<const size_t>) { found = true; });
  return succeeded && found;
}

int RegexObject::match_count() const {
  return static_cast<int>(kept_.offsets.size() / (2 * static_cast<size_t>(kept_.group_count + 1)));
}

int RegexObject::group_count() const {
  return match_count() > 0 ? kept_.group_count : 0;
}

std::optional<std::string_view> RegexObject::kept_text(int match_index, int group_index) const {
  const int group = group_index < 1 ? 0 : group_index;
  if (match_index < 1 || match_index > match_count() || group > kept_.group_count) return std::nullopt;
  const size_t first =
      static_cast<size_t>(match_index - 1) * 2 * static_cast<size_t>(kept_.group_count + 1) + 2 * group;
  const size_t start = kept_.offsets[first];
  if (start == kUnsetOffset) return std::nullopt;
  return std::string_view(kept_.subject).substr(start, kept_.offsets[first + 1] - start);
}

std::optional<std::string> RegexObject::match_value(int match_index, int group_index) const {
  const std::optional<std::string_view> text = kept_text(match_index, group_index);
  if (!text) return std::nullopt;
  return gbk_from_utf8(*text);
}

int RegexObject::match_length(int match_index, int group_index) const {
  const std::optional<std::string_view> text = kept_text(match_index, group_index);
  if (!text) return 0;
  int characters = 0;
  for (const char byte : *text) {
    if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) ++characters;
  }
  return characters;
}

int RegexObject::match_length_bytes(int match_index, int group_index) const {
  return static_cast<int>(match_value(match_index, group_index).value_or(std::string()).size());
}

#include "cli/command_run.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "batch/batch_run.h"
#include "check/random_seeder.h"
#include "check/text_expressions.h"
#include "cli/article_paths.h"
#include "cli/article_result.h"
#include "cli/dry_run.h"
#include "cli/exit_status.h"
#include "cli/headless_window.h"
#include "cli/progress_output.h"
#include "cli/run_cache.h"
#include "cli/run_report.h"
#include "cli/settings_location.h"
#include "cli/stop_signal.h"
#include "search/engine_query.h"
#include "support/detection_settings.h"
#include "support/file_io.h"
#include "support/gbk.h"
#include "support/profile_file.h"
#include "support/profile_store.h"

namespace {

// An article's answers, from the engine or from the cache.
struct SearchTally {
  int searched = 0;
  int indexed = 0;

  void count(SentenceOutcome outcome) {
    if (outcome == SentenceOutcome::indexed) ++indexed;
    // A page that could not be read was answered, though not usefully.
    if (outcome != SentenceOutcome::fetch_failed && outcome != SentenceOutcome::stopped) ++searched;
  }
};

// Whether the engine failed us on an answer: no page, or one that could not be read.
bool engine_failed_on(SentenceOutcome outcome) {
  return outcome == SentenceOutcome::unrecognised || outcome == SentenceOutcome::fetch_failed;
}

void set_control(Window& window, const ControlValue& value) {
  std::visit(
      [&](const auto& v) {
        using Value = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<Value, std::string>) window.set_text(value.control, v);
        if constexpr (std::is_same_v<Value, bool>) window.set_checked(value.control, v);
        if constexpr (std::is_same_v<Value, int>) window.set_selected_index(value.control, v);
      },
      value.value);
}

std::string verdict_word(FileOutcome::Verdict verdict) {
  switch (verdict) {
    case FileOutcome::Verdict::original:
      return "original";
    case FileOutcome::Verdict::not_original:
      return "not-original";
    case FileOutcome::Verdict::unreadable:
      return "unreadable";
    case FileOutcome::Verdict::undecided:
      return "undecided";
  }
  return {};
}

// True when writing the report would replace one of the articles.
bool report_is_an_article(const std::filesystem::path& report,
                          const std::vector<std::filesystem::path>& files) {
  std::error_code error;
  if (!std::filesystem::exists(report, error)) return false;
  return std::ranges::any_of(files, [&](const std::filesystem::path& file) {
    return std::filesystem::equivalent(report, file, error);
  });
}

std::string why_unreadable(const std::optional<TextProblem>& problem) {
  if (!problem) return "missing, not a regular file, no access, or over 64 MB";
  if (problem->kind == TextProblem::Kind::unknown_charset)
    return "it declares the charset '" + problem->encoding + "', which is not known";
  return "not valid " + problem->encoding + " text";
}

int bad_input(ProgressOutput& progress, const std::string& reason) {
  progress.warn("originality-check: " + reason);
  return kBadInput;
}

// The settings as the window program would start with them, then this run's
// options over them. An empty text when they are fine, else why not.
std::string set_up_controls(HeadlessWindow& window, const CommandOptions& options, ProgressOutput& progress) {
  const std::filesystem::path file = options.settings_file.value_or(window_programs_settings_file());
  std::error_code error;
  // The window program's file may be missing (never saved); one named here must be there.
  if (options.settings_file || std::filesystem::exists(file, error)) {
    if (!read_whole_file(file))
      return "cannot read settings file: '" + file.native() + "': " + std::strerror(errno);
    // Keys outside it are read by nobody; without it every setting is the default.
    if (!profile_has_section(file, gbk(kSettingsSection)))
      progress.warn("originality-check: settings file '" + file.native() + "' has no [" +
                    std::string(kSettingsSection) + "] section: its default settings are used");
  }
  ProfileStore store;
  store.open_profile(file);
  load_settings(window, store, [](Control) {});
  for (const ControlValue& value : options.control_values) set_control(window, value);
  // Both off unless asked for here, whatever the window program keeps.
  window.set_checked(Control::选择框删除已检测文件, options.delete_checked);
  // Pages come by HTTP: there is no browser.
  window.set_checked(Control::选择框浏览器模式检测, false);

  if (!window.checked(Control::选择框判断标题) && !window.checked(Control::选择框判断内容))
    return "nothing to check: the settings tick neither the title nor the content check (use --title or "
           "--content)";
  if (options.report_file) {
    const std::filesystem::path folder = std::filesystem::absolute(*options.report_file, error).parent_path();
    if (!std::filesystem::is_directory(folder, error))
      return "no folder for the report: '" + options.report_file->native() + "'";
  }
  return {};
}

}  // namespace

int run_command(const CommandOptions& options, std::FILE* out, ProgressOutput& progress) {
  bool stop = false;
  HeadlessWindow window(stop, progress);
  if (const std::string problem = set_up_controls(window, options, progress); !problem.empty())
    return bad_input(progress, problem);
  const auto listed = article_files(window, options.paths);
  if (const std::string* problem = std::get_if<std::string>(&listed)) return bad_input(progress, *problem);
  const std::vector<std::filesystem::path>& files = std::get<std::vector<std::filesystem::path>>(listed);
  if (options.report_file && report_is_an_article(*options.report_file, files))
    return bad_input(progress,
                     "the report would replace an article: '" + options.report_file->native() + "'");

  TextExpressions expressions;
  prepare_window_expressions(expressions);
  RandomSeeder seeder;
  EngineQuery query(window, stop, expressions.tag);
  bool engine_failed = false;
  CheckContext context{window, stop, expressions, seeder, [&](std::string_view sentence, int engine_index) {
                         SentenceAnswer answer = query.is_sentence_indexed(sentence, engine_index);
                         engine_failed |= engine_failed_on(answer.outcome);
                         return answer;
                       }};
  std::optional<CachedAnswers> cache = answer_cache_for_run(window, options);
  if (cache) context.remembered = &*cache;
  if (options.dry_run) return print_estimates(context, files, out, progress);
  BatchRun batch(context, monotonic_milliseconds);
  batch.set_copy_originals(options.copy_originals);
  std::vector<BatchListRow> report_rows;
  bool any_not_original = false;
  bool any_unreadable = false;
  bool any_not_copied = false;
  batch.on_file_finished([&](const FileOutcome& outcome) {
    SearchTally tally;
    // An unreadable file was not checked: the record is another file's.
    if (outcome.verdict != FileOutcome::Verdict::unreadable) {
      for (const SearchedPiece& piece : context.record.searched) tally.count(piece.answer.outcome);
    }
    const ArticleResult result{verdict_word(outcome.verdict), tally.searched, tally.indexed,
                               outcome.row.file};
    report_rows.push_back(outcome.row);
    // A file the engine's pages could not judge is not shown to be original either.
    any_not_original |= outcome.verdict == FileOutcome::Verdict::not_original ||
                        outcome.verdict == FileOutcome::Verdict::undecided;
    any_unreadable |= outcome.verdict == FileOutcome::Verdict::unreadable;
    progress.clear();
    std::fputs(result.line().c_str(), out);
    std::fflush(out);
    if (outcome.verdict == FileOutcome::Verdict::unreadable) {
      progress.warn("originality-check: cannot read '" + outcome.row.file.native() + "' (" +
                    why_unreadable(outcome.text_problem) + "); it stays where it is");
    }
    // The copy asked for is not there: the original stays in its place, and a
    // script must not take the run for a success.
    if (options.copy_originals && outcome.verdict == FileOutcome::Verdict::original && !outcome.copied) {
      any_not_copied = true;
      progress.warn("originality-check: cannot copy '" + outcome.row.file.native() +
                    "' into 另存文件夹[原创文章]; it stays where it is");
    }
  });

  catch_stop_signals();
  batch.run_batch(files);
  progress.clear();
  std::fprintf(out, "%s\n", terminal_text(window.last_message()).c_str());
  const bool results_written = std::fflush(out) == 0 && std::ferror(out) == 0;

  int status = any_not_original ? kSomeNotOriginal : kAllOriginal;
  // Files that could not be copied or deleted stay where they were: not what was asked.
  if (any_unreadable || any_not_copied || batch.counts().delete_failures > 0) status = kBadInput;
  if (!results_written) {
    progress.warn("originality-check: cannot write the results to standard output");
    status = kBadInput;
  }
  if (options.report_file && !write_run_report(*options.report_file, options.report_format, report_rows)) {
    progress.warn("originality-check: cannot write the report: '" + options.report_file->native() + "'");
    status = std::max<int>(status, kBadInput);
  }
  if (engine_failed || window.engine_blocked()) status = kEngineFailed;
  if (stop_signal() != 0) status = exit_status_for_signal(stop_signal());
  return status;
}

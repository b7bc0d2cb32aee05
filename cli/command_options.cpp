#include "cli/command_options.h"

#include <getopt.h>

#include <array>
#include <charconv>
#include <cstring>

#include "search/engine_table.h"
#include "support/gbk.h"

namespace {

enum OptionId {
  kEngine = 256,
  kSentences,
  kMinChars,
  kRatio,
  kJudge,
  kInterval,
  kTitle,
  kNoTitle,
  kContent,
  kNoContent,
  kIgnoreUrls,
  kNoIgnoreUrls,
  kIgnoreDigits,
  kEncoding,
  kProxy,
  kBlockWait,
  kPattern,
  kCopyOriginals,
  kDeleteChecked,
  kReport,
  kSettings,
  kBrowser,
  kVersion,
  kNoCache,
  kRefresh,
  kDryRun,
};

constexpr std::array<option, 29> kOptions{{
    {"engine", required_argument, nullptr, kEngine},
    {"sentences", required_argument, nullptr, kSentences},
    {"min-chars", required_argument, nullptr, kMinChars},
    {"ratio", required_argument, nullptr, kRatio},
    {"judge", required_argument, nullptr, kJudge},
    {"interval", required_argument, nullptr, kInterval},
    {"title", no_argument, nullptr, kTitle},
    {"no-title", no_argument, nullptr, kNoTitle},
    {"content", no_argument, nullptr, kContent},
    {"no-content", no_argument, nullptr, kNoContent},
    {"ignore-urls", no_argument, nullptr, kIgnoreUrls},
    {"no-ignore-urls", no_argument, nullptr, kNoIgnoreUrls},
    {"ignore-digits", required_argument, nullptr, kIgnoreDigits},
    {"encoding", required_argument, nullptr, kEncoding},
    {"proxy", required_argument, nullptr, kProxy},
    {"block-wait", required_argument, nullptr, kBlockWait},
    {"pattern", required_argument, nullptr, kPattern},
    {"copy-originals", no_argument, nullptr, kCopyOriginals},
    {"delete-checked", no_argument, nullptr, kDeleteChecked},
    {"report", required_argument, nullptr, kReport},
    {"settings", required_argument, nullptr, kSettings},
    {"browser", no_argument, nullptr, kBrowser},
    {"no-cache", no_argument, nullptr, kNoCache},
    {"refresh", no_argument, nullptr, kRefresh},
    {"dry-run", no_argument, nullptr, kDryRun},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
}};

// The engine combo's items in English, in its order.
constexpr std::array<std::string_view, 6> kEngineNames{"baidu", "360", "soso", "google", "sogou", "bing"};
// The file-encoding combo's items, in its order.
constexpr std::array<std::string_view, 5> kEncodingNames{"auto", "gbk", "utf-8", "utf-16", "utf-16be"};

template <typename Number>
std::optional<Number> number_in(std::string_view text, Number lowest, Number highest) {
  Number number{};
  const char* end = text.data() + text.size();
  std::from_chars_result read;
  // Plain decimals only: an exponent would read differently in the window's own conversion.
  if constexpr (std::is_floating_point_v<Number>) {
    read = std::from_chars(text.data(), end, number, std::chars_format::fixed);
  } else {
    read = std::from_chars(text.data(), end, number);
  }
  const auto [stop, error] = read;
  // Written so that a "nan", which compares false with everything, is out of range too.
  if (error != std::errc() || stop != end || !(number >= lowest && number <= highest)) return std::nullopt;
  return number;
}

template <size_t N>
std::optional<int> index_of(const std::array<std::string_view, N>& names, std::string_view name) {
  for (size_t i = 0; i < N; ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<int> engine_index(std::string_view value) {
  for (int index = 0; const Engine* engine = engine_at(index); ++index) {
    if (engine->caption == value || std::to_string(index) == value) return index;
  }
  return index_of(kEngineNames, value);
}

// The option getopt_long did not take. A short one is named by optopt: its word
// is not yet passed, so argv[optind - 1] is still the word before it. (A long one
// given a value it takes none of has its id there: above 255, or our own letter,
// as --quiet=1 has.)
std::string unknown_option(char* argv[]) {
  if (optopt > 0 && optopt < 256 && optopt != 'h' && optopt != 'q')
    return std::string("-") + static_cast<char>(optopt);
  return argv[optind - 1];
}

// HOST:PORT with a port from 1 to 65535.
bool is_proxy_address(std::string_view value) {
  const size_t colon = value.rfind(':');
  return colon != std::string_view::npos && colon > 0 &&
         number_in(value.substr(colon + 1), 1, 65535).has_value();
}

class Parser {
 public:
  ParsedCommand parse(int argc, char* argv[]) {
    opterr = 0;  // the messages below say it in one line
    optind = 0;  // restart: the parser's position is global state
    for (;;) {
      const int id = getopt_long(argc, argv, ":hq", kOptions.data(), nullptr);
      if (id == -1) break;
      const std::string_view value = optarg != nullptr ? optarg : "";
      if (id == '?')
        return fail("unknown option '" + unknown_option(argv) +
                    "' (a PATH that starts with '-' goes after '--')");
      if (id == ':') return fail("option '" + std::string(argv[optind - 1]) + "' needs a value");
      if (!take(id, value)) return result_;
      if (result_.request != CommandRequest::run) return result_;
    }
    for (int i = optind; i < argc; ++i) result_.options.paths.emplace_back(argv[i]);
    CommandOptions& options = result_.options;
    if (options.delete_checked && !options.copy_originals)
      return fail("--delete-checked deletes only with --copy-originals, so that no original is lost");
    if (options.paths.empty()) return fail("no PATH given: name article files or folders to check");
    return result_;
  }

 private:
  // False when the value is bad; the error is then set.
  bool take(int id, std::string_view value) {
    CommandOptions& options = result_.options;
    switch (id) {
      case 'h':
        result_.request = CommandRequest::help;
        return true;
      case kVersion:
        result_.request = CommandRequest::version;
        return true;
      case 'q':
        options.show_progress = false;
        return true;
      case kEngine:
        return select(Control::组合框引擎, engine_index(value), "--engine", value);
      case kSentences:
        return whole_text(Control::编辑框句数, value, 1, 100, "--sentences");
      case kMinChars:
        return whole_text(Control::编辑框最少字数, value, 0, 100, "--min-chars");
      case kRatio:
        return whole_text(Control::编辑框判断比例, value, 1, 100, "--ratio");
      case kJudge: {
        const std::optional<int> by =
            index_of(std::array<std::string_view, 2>{"unindexed", "indexed"}, value);
        if (!by) return bad_value("--judge", value);
        set(Control::单选框按收录率, *by == 1);
        set(Control::单选框按未收录率, *by == 0);
        return true;
      }
      case kInterval:
        if (!number_in(value, 0.0, 5000.0)) return bad_value("--interval", value);
        set(Control::编辑框间隔秒, std::string(value));
        return true;
      case kTitle:
      case kNoTitle:
        set(Control::选择框判断标题, id == kTitle);
        return true;
      case kContent:
      case kNoContent:
        set(Control::选择框判断内容, id == kContent);
        return true;
      case kIgnoreUrls:
      case kNoIgnoreUrls:
        set(Control::选择框忽略网址邮箱, id == kIgnoreUrls);
        return true;
      case kIgnoreDigits:
        return switched_number(Control::选择框忽略数字, Control::编辑框数字位数, value, 100,
                               "--ignore-digits");
      case kEncoding:
        return select(Control::组合框文件编码, index_of(kEncodingNames, value), "--encoding", value);
      case kProxy:
        return take_proxy(value);
      case kBlockWait:
        return switched_number(Control::选择框屏蔽等待, Control::编辑框等待分钟, value, 1440, "--block-wait");
      case kPattern:
        set(Control::编辑框过滤, gbk_from_utf8(value));
        return true;
      case kCopyOriginals:
        options.copy_originals = true;
        return true;
      case kDeleteChecked:
        options.delete_checked = true;
        return true;
      case kReport:
        return take_report(value);
      case kSettings:
        options.settings_file = std::filesystem::path(value);
        return true;
      case kNoCache:
      case kRefresh: {
        const CacheChoice choice = id == kNoCache ? CacheChoice::off : CacheChoice::refresh;
        if (options.cache != CacheChoice::as_settings_say && options.cache != choice)
          return fail_option("--no-cache and --refresh exclude each other: --refresh keeps the answers it gets");
        options.cache = choice;
        return true;
      }
      case kDryRun:
        options.dry_run = true;
        return true;
      case kBrowser:
        return fail_option(
            "browser mode needs the window program (originality-checker); this command fetches result pages "
            "by HTTP");
    }
    return fail_option("unknown option");
  }

  bool take_proxy(std::string_view value) {
    if (value == "none" || value == "system") {
      set(Control::组合框代理形式, value == "none" ? 0 : 1);
      return true;
    }
    if (!is_proxy_address(value)) return bad_value("--proxy", value);
    set(Control::组合框代理形式, 2);
    set(Control::编辑框IP, std::string(value));
    return true;
  }

  bool take_report(std::string_view value) {
    const std::filesystem::path file(value);
    if (file.extension() == ".csv") {
      result_.options.report_format = ReportFormat::csv;
    } else if (file.extension() == ".json") {
      result_.options.report_format = ReportFormat::json;
    } else {
      return fail_option("--report: the file name must end in .csv or .json: '" + std::string(value) + "'");
    }
    result_.options.report_file = file;
    return true;
  }

  // An option that sets a number and ticks its check box; 0 clears the box.
  bool switched_number(Control check_box, Control edit_box, std::string_view value, int highest,
                       std::string_view option_name) {
    const std::optional<int> number = number_in(value, 0, highest);
    if (!number) return bad_value(option_name, value);
    set(check_box, *number > 0);
    if (*number > 0) set(edit_box, std::string(value));
    return true;
  }

  bool whole_text(Control control, std::string_view value, int lowest, int highest,
                  std::string_view option_name) {
    if (!number_in(value, lowest, highest)) return bad_value(option_name, value);
    set(control, std::string(value));
    return true;
  }

  bool select(Control control, std::optional<int> index, std::string_view option_name,
              std::string_view value) {
    if (!index) return bad_value(option_name, value);
    set(control, *index);
    return true;
  }

  void set(Control control, std::variant<std::string, bool, int> value) {
    result_.options.control_values.push_back({control, std::move(value)});
  }

  bool bad_value(std::string_view option_name, std::string_view value) {
    return fail_option(std::string(option_name) + ": value out of range or not understood: '" +
                       std::string(value) + "' (see --help)");
  }

  bool fail_option(std::string message) {
    result_.error = std::move(message);
    return false;
  }

  ParsedCommand fail(std::string message) {
    result_.error = std::move(message);
    return result_;
  }

  ParsedCommand result_;
};

}  // namespace

ParsedCommand parse_command_line(int argc, char* argv[]) {
  return Parser().parse(argc, argv);
}

std::string usage_text() {
  return R"(Usage: originality-check [options] PATH...

Checks whether articles are original by searching sampled sentences on a search
engine, as the window program originality-checker does, without a window. Each
PATH is an article file or a folder (its files that match the pattern).
Defaults come from the window program's 主配置.ini (beside the program, or in
$XDG_CONFIG_HOME/原创文章检测器/ when the program is installed below /usr or its
folder cannot be written) or from --settings FILE; options override them for
this run only, and nothing is written back. Result pages are fetched by HTTP.
The engine's answers are kept in 结果缓存.sqlite beside the settings file and
used instead of a query while fresh, as the section [结果缓存] of the settings
says (启用, 收录保留天数 30, 未收录保留天数 2).

Output: one line per article on standard output, tab-separated:
  verdict (original, not-original, unreadable, or undecided when none of its
  result pages could be read), searched, indexed, indexed rate in percent, path
  (in double quotes with C escapes such as \n and \t when it holds a control
  character)
then the summary line. Progress and warnings go to standard error. A file
named more than once is checked once.

Options:
  --engine 百度|360|soso|谷歌|搜狗|必应  the search engine (also baidu, google, sogou,
                           bing, or 0-5); Google answers only browser mode today
  --sentences N            sentences to search at most (1-100)
  --min-chars N            shortest sentence that is searched, in characters (0-100)
  --ratio R                threshold of the verdict, in percent (1-100)
  --judge indexed|unindexed  judge by the indexed rate (not original when reached)
                           or by the not-indexed rate (original when reached)
  --interval SECONDS       pause between two searches (0-5000)
  --title, --no-title      search the title (the file name) whole, or not
  --content, --no-content  search sampled sentences of the content, or not
  --ignore-urls, --no-ignore-urls  remove web and e-mail addresses first, or not
  --ignore-digits N        remove runs of N or more digits first (0: keep them)
  --encoding auto|gbk|utf-8|utf-16|utf-16be  how article files are read (auto: by
                           byte-order mark, declared or well-formed UTF-8, the
                           charset an HTML head declares, GBK, else UTF-16 without
                           a mark); a file that is no text in it is unreadable
  --proxy none|system|HOST:PORT  how the engine is reached
  --block-wait MINUTES     when Baidu blocks, wait this long and go on
                           (0: end the run with status 3)
  --pattern GLOB           which files of a folder are checked (e.g. *.txt)
  --copy-originals         copy the originals into 另存文件夹[原创文章] beside the
                           first file
  --delete-checked         delete every checked file (only with --copy-originals)
  --report FILE            also write the results to FILE.csv or FILE.json
  --settings FILE          read the settings from FILE instead
  --no-cache               neither use nor keep the answer cache (结果缓存.sqlite
                           beside the settings file)
  --refresh                ask the engine anew for every sentence, and keep the
                           answers in the cache
  --dry-run                send no request: print for each article a line
                           "estimate", the most searches it may need, how many of
                           those the cache answers, the path; then the total with
                           the time it would take at the interval
  -q, --quiet              no progress
  -h, --help               this text
  --version                the version

Exit status: 0 every article original; 1 at least one not original; 2 bad usage,
unreadable input, an original that could not be copied, a file that could not
be deleted, or results or a report that could not be written; 3 the engine could
not be reached, blocked us, or gave pages that could not be read; 130 or 143
stopped by Ctrl-C or SIGTERM.
)";
}

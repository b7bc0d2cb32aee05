// Start-up time of the main window, from process start to its first frame on
// screen, against a bare Qt Widgets window started the same way in the same run;
// the peak memory (VmHWM) of each once idle; and in browser mode, the time until
// the first page opened in the embedded browser can be read.
//
//   startup_timing [runs]      runs every kind alternately and prints the figures
//
// Each run starts this program again as a child: "--child bare", "--child text"
// (the bare window with one Chinese label), "--child checker" or "--child browser",
// followed by the address of a page that the local engine in this process serves.
// The child writes "shown" once its window has been painted. The browser child then
// opens the page and writes "page" once the page's text can be read; the others
// write "peak <kB>" after a second of idling. Then the child exits.

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/browser_sandbox.h"
#include "app/main_window.h"
#include "app/program_objects.h"
#include "support/gbk.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/local_engine.h"
#include "tests/testsupport/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kPageMarker[] = "第一页已到达";
constexpr int kPagePollMs = 5;
constexpr auto kPageTimeOut = std::chrono::seconds(30);

long peak_memory_kb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

void report(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

void report_peak_after_idling() {
  QTimer::singleShot(1000, [] {
    std::printf("peak %ld\n", peak_memory_kb());
    std::fflush(stdout);
    QApplication::quit();
  });
}

// Reports "shown" after the first paint of the watched window has reached the
// screen, then runs `after_shown`.
class FirstFrameReporter : public QObject {
 public:
  explicit FirstFrameReporter(std::function<void()> after_shown) : after_shown_(std::move(after_shown)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      QTimer::singleShot(0, this, [this] {
        report("shown");
        after_shown_();
      });
    }
    return false;
  }

 private:
  std::function<void()> after_shown_;
  bool reported_ = false;
};

// Reads the browser's page, as a check in browser mode polls its result page,
// until the page shows its marker; then reports "page" and ends the program.
void report_page_once_readable(Window& window, Clock::time_point deadline) {
  if (window.browser_document_text("outerHTML").find(gbk(kPageMarker)) != std::string::npos) {
    report("page");
    QApplication::quit();
    return;
  }
  if (Clock::now() > deadline) {
    std::fprintf(stderr, "the browser did not show the page\n");
    QApplication::exit(1);
    return;
  }
  QTimer::singleShot(kPagePollMs, [&window, deadline] { report_page_once_readable(window, deadline); });
}

// The browser shown and sent to `page_url`, as a check in browser mode starts.
void open_first_page(Window& window, const std::string& page_url) {
  if (!window.checked(Control::选择框浏览器模式检测)) {
    std::fprintf(stderr, "browser mode was not loaded from the configuration\n");
    QApplication::exit(1);
    return;
  }
  window.set_visible(Control::浏览器, true);
  window.navigate_browser(page_url);
  report_page_once_readable(window, Clock::now() + kPageTimeOut);
}

int run_bare_child(const std::string& kind) {
  FirstFrameReporter reporter(report_peak_after_idling);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.setFixedSize(914, 620);
  // "text": the same with one line of Chinese, which starts the font system.
  if (kind == "text")
    (new QLabel(QStringLiteral("模拟真人搜索百度等引擎判断文章原创性"), &window))->move(10, 10);
  window.installEventFilter(&reporter);
  window.show();
  return QApplication::exec();
}

// As the program starts, with its configuration in a folder of its own; for the
// browser kind, one where browser mode is stored as on.
int run_main_window_child(const std::string& kind, const std::string& page_url) {
  const TempDir folder;
  const std::filesystem::path configuration = folder / "主配置.ini";
  if (kind == "browser") write_file_bytes(configuration, gbk("[基本配置]\r\n浏览器模式检测=真\r\n"));
  ProgramObjects objects(configuration);
  MainWindow main_window(objects);
  FirstFrameReporter reporter([&] {
    if (kind == "browser") {
      open_first_page(main_window.window(), page_url);
    } else {
      report_peak_after_idling();
    }
  });
  main_window.form().installEventFilter(&reporter);
  main_window.form().show();
  return QApplication::exec();
}

int run_child(int argc, char* argv[], const std::string& kind, const std::string& page_url) {
  if (kind == "browser") {
    allow_browser_as_root();
    // The engine reaches the local engine directly and sends nothing of its own
    // (proxies from the environment, updates, sync, background requests).
    setenv("QTWEBENGINE_CHROMIUM_FLAGS",
           "--no-proxy-server --disable-background-networking --disable-component-update"
           " --no-first-run --disable-sync",
           1);
  }
  QApplication application(argc, argv);
  if (kind == "bare" || kind == "text") return run_bare_child(kind);
  return run_main_window_child(kind, page_url);
}

struct Sample {
  double milliseconds = 0;       // to the window shown
  double page_milliseconds = 0;  // to the first page readable, browser kind only
  long peak_kb = 0;
};

double milliseconds_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Starts one child and times it until it reports its window shown, and its page
// readable for the browser kind.
Sample time_child(const char* self, const char* kind, const std::string& page_url) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) std::exit(1);
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    execl(self, self, "--child", kind, page_url.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipe_ends[1]);
  FILE* output = fdopen(pipe_ends[0], "r");
  Sample sample;
  char line[128];
  while (std::fgets(line, sizeof line, output) != nullptr) {
    if (std::strncmp(line, "shown", 5) == 0) {
      sample.milliseconds = milliseconds_since(start);
    } else if (std::strncmp(line, "page", 4) == 0) {
      sample.page_milliseconds = milliseconds_since(start);
    } else if (std::strncmp(line, "peak ", 5) == 0) {
      sample.peak_kb = std::atol(line + 5);
    }
  }
  std::fclose(output);
  int status = 0;
  waitpid(child, &status, 0);
  const bool page_missing = std::strcmp(kind, "browser") == 0 && sample.page_milliseconds == 0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || sample.milliseconds == 0 || page_missing) {
    std::fprintf(stderr, "the %s child failed\n", kind);
    std::exit(1);
  }
  return sample;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<double> times_of(const std::vector<Sample>& samples,
                             double Sample::*time = &Sample::milliseconds) {
  std::vector<double> times;
  for (const Sample& sample : samples) times.push_back(sample.*time);
  return times;
}

void print_line(const char* name, const std::vector<Sample>& samples) {
  const std::vector<double> times = times_of(samples);
  long peak = 0;
  for (const Sample& sample : samples) peak = std::max(peak, sample.peak_kb);
  std::printf("%-24s median %7.1f ms   min %7.1f ms   peak memory at idle %6.1f MB\n", name, median(times),
              *std::min_element(times.begin(), times.end()), static_cast<double>(peak) / 1024);
}

// A small result page, as a search engine would answer.
Reply result_page(const ReceivedRequest&) {
  return html_reply(
      std::string("<html><head><title>结果</title></head><body><p>") + kPageMarker + "</p></body></html>",
      "utf-8");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) return run_child(argc, argv, argv[2], argv[3]);
  const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 15;
  const LocalEngine engine(result_page);
  const std::string page_url = engine.url("/s?wd=1");
  std::vector<Sample> bare;
  std::vector<Sample> text;
  std::vector<Sample> checker;
  std::vector<Sample> browser;
  // Alternating, so that every kind sees the same machine load and disk caches.
  for (const char* kind : {"bare", "text", "checker", "browser"}) time_child(argv[0], kind, page_url);
  for (int run = 0; run < runs; ++run) {
    bare.push_back(time_child(argv[0], "bare", page_url));
    text.push_back(time_child(argv[0], "text", page_url));
    checker.push_back(time_child(argv[0], "checker", page_url));
    browser.push_back(time_child(argv[0], "browser", page_url));
  }
  std::printf("start-up to first frame, %d runs each (after one warm-up run each), platform %s\n", runs,
              std::getenv("QT_QPA_PLATFORM") != nullptr ? std::getenv("QT_QPA_PLATFORM") : "default");
  print_line("bare Qt Widgets window", bare);
  print_line("bare window + 1 label", text);
  print_line("main window", checker);
  std::printf("ratio of medians: %.2f\n", median(times_of(checker)) / median(times_of(bare)));
  std::printf("browser mode: window shown median %.1f ms, first page readable median %.1f ms\n",
              median(times_of(browser)), median(times_of(browser, &Sample::page_milliseconds)));
  return 0;
}

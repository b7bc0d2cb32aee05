// Start-up time of the main window, from process start to its first frame on
// screen, against a bare Qt Widgets window started the same way in the same run;
// and the peak memory (VmHWM) of each once idle.
//
//   startup_timing [runs]      runs both kinds alternately and prints the figures
//
// Each run starts this program again as a child ("--child bare", "--child text":
// the bare window with one Chinese label, or "--child checker"); the child writes "shown" once its window has
// been painted and "peak <kB>" after a second of idling, then exits.

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
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program_objects.h"

namespace {

using Clock = std::chrono::steady_clock;

long peak_memory_kb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Reports "shown" after the first paint of `window` has reached the screen.
class FirstFrameReporter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      QTimer::singleShot(0, [] {
        std::printf("shown\n");
        std::fflush(stdout);
        QTimer::singleShot(1000, [] {
          std::printf("peak %ld\n", peak_memory_kb());
          std::fflush(stdout);
          QApplication::quit();
        });
      });
    }
    return false;
  }

 private:
  bool reported_ = false;
};

int run_child(int argc, char* argv[], const std::string& kind) {
  QApplication application(argc, argv);
  FirstFrameReporter reporter;
  if (kind == "bare" || kind == "text") {
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
  // As the program starts, with its configuration in a folder of its own.
  char folder[] = "/tmp/startup-timing-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  int result = 0;
  {
    ProgramObjects objects(std::filesystem::path(folder) / "主配置.ini");
    MainWindow main_window(objects);
    main_window.form().installEventFilter(&reporter);
    main_window.form().show();
    result = QApplication::exec();
  }
  std::filesystem::remove_all(folder);
  return result;
}

struct Sample {
  double milliseconds = 0;
  long peak_kb = 0;
};

// Starts one child and times it until it reports its window shown.
Sample time_child(const char* self, const char* kind) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) std::exit(1);
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    execl(self, self, "--child", kind, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipe_ends[1]);
  FILE* output = fdopen(pipe_ends[0], "r");
  Sample sample;
  char line[128];
  while (std::fgets(line, sizeof line, output) != nullptr) {
    if (std::strncmp(line, "shown", 5) == 0) {
      sample.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    } else if (std::strncmp(line, "peak ", 5) == 0) {
      sample.peak_kb = std::atol(line + 5);
    }
  }
  std::fclose(output);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || sample.milliseconds == 0) {
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

std::vector<double> times_of(const std::vector<Sample>& samples) {
  std::vector<double> times;
  for (const Sample& sample : samples) times.push_back(sample.milliseconds);
  return times;
}

void print_line(const char* name, const std::vector<Sample>& samples) {
  const std::vector<double> times = times_of(samples);
  long peak = 0;
  for (const Sample& sample : samples) peak = std::max(peak, sample.peak_kb);
  std::printf("%-24s median %7.1f ms   min %7.1f ms   peak memory at idle %6.1f MB\n", name, median(times),
              *std::min_element(times.begin(), times.end()), static_cast<double>(peak) / 1024);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) return run_child(argc, argv, argv[2]);
  const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 15;
  std::vector<Sample> bare;
  std::vector<Sample> text;
  std::vector<Sample> checker;
  // Alternating, so that every kind sees the same machine load and disk caches.
  for (const char* kind : {"bare", "text", "checker"}) time_child(argv[0], kind);
  for (int run = 0; run < runs; ++run) {
    bare.push_back(time_child(argv[0], "bare"));
    text.push_back(time_child(argv[0], "text"));
    checker.push_back(time_child(argv[0], "checker"));
  }
  std::printf("start-up to first frame, %d runs each (after one warm-up run each), platform %s\n", runs,
              std::getenv("QT_QPA_PLATFORM") != nullptr ? std::getenv("QT_QPA_PLATFORM") : "default");
  print_line("bare Qt Widgets window", bare);
  print_line("bare window + 1 label", text);
  print_line("main window", checker);
  std::printf("ratio of medians: %.2f\n", median(times_of(checker)) / median(times_of(bare)));
  return 0;
}

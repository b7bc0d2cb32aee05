// A batch of small article files against the local engine answering at once, with
// no interval between searches: files per second, and the peak memory of the
// batch (VmHWM, reset before it) for 1,000 and for 10,000 files, which should be
// about the same. Next to it, bare libcurl GETs of the same kind of URL through
// the same proxy, as many as the batch made searches: a file costs one search, so
// the batch's time per file over the bare request's time is what the batch adds
// (goal: within 1.5x). query_us is one is_sentence_indexed on its own.
//
// The files lie under TMPDIR (default /tmp). Every original is copied with fsync,
// so on a disk the flushes dominate; TMPDIR=/dev/shm shows the program's own share.
//
// The engine runs in a child process, so its record of every request does not
// count in this process's memory.
//
// Beside the window program's batch, the command-line program over the same kind
// of folder with the same settings: its time per file (process start included)
// and its peak memory for 100 and for 1,000 files, which should be about the same.

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "check/random_seeder.h"
#include "check/text_expressions.h"
#include "search/engine_query.h"
#include "search/engine_table.h"
#include "support/gbk.h"
#include "tests/testsupport/engine_process.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

extern char** environ;

namespace {

constexpr int kBaidu = 0;
constexpr int kBareRequests = 1000;

const EngineProcess& engine() {
  static const EngineProcess process;
  return process;
}

long peak_memory_kb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

void reset_peak_memory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

size_t keep_body(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

// A fresh handle per request, as every query makes a fresh request.
bool bare_get(const std::string& url, const std::string& proxy) {
  std::string body;
  CURL* easy = curl_easy_init();
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &keep_body);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
  const bool ok = curl_easy_perform(easy) == CURLE_OK && !body.empty();
  curl_easy_cleanup(easy);
  return ok;
}

// Microseconds per bare request, over `count` of them.
double bare_request_us(int count) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  const std::string url = query_url(*engine_at(kBaidu), gbk("第1篇文章的一句话"));
  const std::string proxy = engine().address();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) bare_get(url, proxy);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / count;
}

// Microseconds per is_sentence_indexed on its own, asked as the batch asks it.
double engine_query_us(EngineQuery& query) {
  const std::string sentence = gbk("第1篇文章的一句话");
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kBareRequests; ++i) query.is_sentence_indexed(sentence, kBaidu);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kBareRequests;
}

// The window as a batch finds it: one sentence per article searched on Baidu
// through the local engine as the named proxy, judged by the indexed rate (an
// original needs no pause), examined files deleted.
void set_up_window(FakeWindow& window) {
  window.set_checked(Control::选择框判断内容, true);
  window.set_checked(Control::单选框按收录率, true);
  window.set_checked(Control::选择框删除已检测文件, true);
  window.set_text(Control::编辑框句数, "1");
  window.set_text(Control::编辑框判断比例, "60");
  window.set_text(Control::编辑框间隔秒, "0");
  window.set_text(Control::编辑框最少字数, "0");
  window.set_selected_index(Control::组合框引擎, kBaidu);
  window.set_selected_index(Control::组合框代理形式, 2);
  window.set_text(Control::编辑框IP, engine().address());
}

// What both batch benchmarks run on: `file_count` one-sentence articles in a
// fresh folder, and a window set up for the local engine.
struct BatchBench {
  explicit BatchBench(int file_count) {
    for (int i = 1; i <= file_count; ++i) {
      paths.push_back(folder / (std::to_string(i) + ".txt"));
      write_file_bytes(paths.back(), gbk("第" + std::to_string(i) + "篇文章的一句话。\r\n"));
    }
    set_up_window(window);
    prepare_window_expressions(expressions);
  }

  const TempDir folder;
  std::vector<std::filesystem::path> paths;
  FakeWindow window;
  bool stop = false;
  TextExpressions expressions;
  RandomSeeder seeder;
};

void BM_BatchOfFiles(benchmark::State& state) {
  const int file_count = static_cast<int>(state.range(0));
  BatchBench bench(file_count);
  auto& [folder, paths, window, stop, expressions, seeder] = bench;
  EngineQuery query(window, stop, expressions.tag);
  int searches = 0;
  CheckContext context{window, stop, expressions, seeder, [&](std::string_view sentence, int engine_index) {
                         ++searches;
                         return query.is_sentence_indexed(sentence, engine_index);
                       }};
  BatchRun batch(context, monotonic_milliseconds);
  const double query_us = engine_query_us(query);

  reset_peak_memory();
  const long memory_before_kb = peak_memory_kb();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) batch.run_batch(paths);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;

  if (batch.counts().examined != file_count || batch.counts().originals != file_count)
    state.SkipWithError("not every file was examined and copied");
  // As many bare requests as the batch made searches, right after it.
  const double bare_us = bare_request_us(searches);
  const double us_per_file = spent.count() / file_count;
  state.counters["files_per_s"] = 1e6 / us_per_file;
  state.counters["us_per_file"] = us_per_file;
  state.counters["searches_per_file"] = static_cast<double>(searches) / file_count;
  state.counters["bare_http_us"] = bare_us;
  state.counters["x_bare_http"] = us_per_file / (bare_us * searches / file_count);
  state.counters["query_us"] = query_us;
  // The peak over the memory in use when the batch began: what the batch itself needed.
  const long peak_kb = peak_memory_kb();
  state.counters["peak_kB"] = static_cast<double>(peak_kb);
  state.counters["growth_kB"] = static_cast<double>(peak_kb - memory_before_kb);
}
// The same batch with an engine that answers "not indexed" without a request:
// the batch's own work per file (read, check, durable copy, delete).
void BM_BatchWithoutSearches(benchmark::State& state) {
  const int file_count = static_cast<int>(state.range(0));
  BatchBench bench(file_count);
  auto& [folder, paths, window, stop, expressions, seeder] = bench;
  CheckContext context{window, stop, expressions, seeder,
                       [](std::string_view, int) { return SentenceAnswer{}; }};
  BatchRun batch(context, monotonic_milliseconds);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) batch.run_batch(paths);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  if (batch.counts().originals != file_count) state.SkipWithError("not every file was copied");
  state.counters["us_per_file"] = spent.count() / file_count;
}
BENCHMARK(BM_BatchWithoutSearches)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The command-line program over `file_count` such files in one folder, with the
// window batch's settings as options; its peak memory from the kernel's record.
void BM_CommandOverFiles(benchmark::State& state) {
  const int file_count = static_cast<int>(state.range(0));
  BatchBench bench(file_count);
  const std::filesystem::path settings = bench.folder / "settings.ini";
  write_file_bytes(settings, "");
  std::vector<std::string> words = {CLI_PROGRAM,        "--settings",
                                    settings.string(),  "--content",
                                    "--judge",          "indexed",
                                    "--sentences",      "1",
                                    "--ratio",          "60",
                                    "--interval",       "0",
                                    "--min-chars",      "0",
                                    "--engine",         "baidu",
                                    "--proxy",          engine().address(),
                                    "--copy-originals", "--delete-checked",
                                    "--quiet",          bench.folder.path().string()};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);

  int wait_status = 0;
  rusage usage{};
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    pid_t child = -1;
    if (posix_spawn(&child, CLI_PROGRAM, &quiet, nullptr, argv.data(), environ) != 0) std::abort();
    wait4(child, &wait_status, 0, &usage);
  }
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  posix_spawn_file_actions_destroy(&quiet);

  // Every file original: status 0, and each one moved into the originals folder.
  if (!WIFEXITED(wait_status) || WEXITSTATUS(wait_status) != 0 ||
      std::distance(std::filesystem::directory_iterator(bench.folder / "另存文件夹[原创文章]"), {}) !=
          file_count)
    state.SkipWithError("not every file was examined and copied");
  state.counters["us_per_file"] = spent.count() / file_count;
  state.counters["files_per_s"] = 1e6 * file_count / spent.count();
  state.counters["peak_kB"] = static_cast<double>(usage.ru_maxrss);
}
BENCHMARK(BM_CommandOverFiles)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_BatchOfFiles)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <thread>

#include "support/gbk.h"
#include "tests/cli/command_fixture.h"
#include "tests/testsupport/file_bytes.h"

namespace {

using ::testing::Each;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr int kArticles = 20;

// Twenty articles of twelve sentences the engine has none of, checked by the
// indexed rate: five not indexed out of ten make an original, 100 queries in all.
class AnswerCacheTest : public CommandTest {
 protected:
  AnswerCacheTest() {
    std::filesystem::create_directory(folder);
    for (int article = 1; article <= kArticles; ++article) write_file_bytes(article_path(article), article_text(article));
  }

  std::filesystem::path article_path(int article) const {
    return folder / ("第" + std::to_string(100 + article) + "篇.txt");
  }
  static std::string sentence(int article, int number) {
    return "第" + std::to_string(article) + "篇文章的第" + std::to_string(number) + "个句子写在这里";
  }
  static std::string article_text(int article) {
    std::string text;
    for (int number = 1; number <= 12; ++number) text += sentence(article, number) + "。";
    return gbk(text);
  }

  std::vector<std::string> options(const std::vector<std::string>& more = {}) const {
    std::vector<std::string> arguments{"--settings", settings.string(), "--proxy", engine.address(), "--engine",
                                       "baidu", "--interval", "0", "--sentences", "10", "--ratio", "60", "--judge",
                                       "indexed", "--min-chars", "5", "--quiet"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    arguments.push_back(folder.string());
    return arguments;
  }

  // The run, and the queries the engine received during it.
  struct Counted {
    Finished finished;
    size_t queries = 0;
  };
  Counted counted_run(const std::vector<std::string>& arguments,
                      const std::function<void(pid_t)>& while_running = {}) const {
    const size_t before = engine.requests().size();
    Finished finished = run(arguments, while_running);
    return {std::move(finished), engine.requests().size() - before};
  }

  static std::vector<std::string> verdict_lines(const std::string& out) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < out.size();) {
      const size_t end = out.find('\n', start);
      lines.push_back(out.substr(start, end - start));
      start = end + 1;
    }
    if (!lines.empty()) lines.pop_back();  // the summary, with its times
    return lines;
  }

  const std::filesystem::path folder = temp / "二十篇";
  const std::filesystem::path cache_file = temp / "结果缓存.sqlite";
};

TEST_F(AnswerCacheTest, ASecondRunAsksNothingAndAnEditedSentenceAtMostOnce) {
  const Counted first = counted_run(options());
  EXPECT_EQ(first.finished.status, 0) << first.finished.err;
  EXPECT_EQ(first.queries, 100u);
  const std::vector<std::string> lines = verdict_lines(first.finished.out);
  ASSERT_EQ(lines.size(), size_t{kArticles});
  EXPECT_THAT(lines, Each(StartsWith("original\t5\t0\t0\t")));
  struct stat status{};
  ASSERT_EQ(stat(cache_file.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);

  const Counted second = counted_run(options({"--report", (temp / "r.csv").string()}));
  EXPECT_EQ(second.queries, 0u);
  EXPECT_EQ(verdict_lines(second.finished.out), lines);
  // Each row: no query sent, five answers from the cache.
  EXPECT_THAT(read_file_bytes(temp / "r.csv"),
              HasSubstr(article_path(1).string() + ",原创,5,0,收录率 0%,,否,,0%–43%,是,0,5\r\n"));

  std::string edited = utf8_from_gbk(read_file_bytes(article_path(5)));
  edited.replace(edited.find(sentence(5, 3)), sentence(5, 3).size(), "第5篇文章的第3个句子已经改写");
  write_file_bytes(article_path(5), gbk(edited));
  const Counted third = counted_run(options());
  EXPECT_LE(third.queries, 1u);
  EXPECT_EQ(verdict_lines(third.finished.out), lines);
}

TEST_F(AnswerCacheTest, ARunStoppedHalfWayAndStartedAgainAsksOnlyWhatItHadNot) {
  // A pause between two queries, so that the stop comes in the middle.
  const auto stop_half_way = [this](pid_t child) {
    while (engine.requests().size() < 50) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(child, SIGINT);
  };
  const Counted stopped = counted_run(options({"--interval", "0.01"}), stop_half_way);
  EXPECT_EQ(stopped.finished.status, 130);
  const Counted resumed = counted_run(options({"--interval", "0.01"}));
  EXPECT_EQ(resumed.finished.status, 0) << resumed.finished.err;
  EXPECT_EQ(verdict_lines(resumed.finished.out).size(), size_t{kArticles});
  // The one in flight when the stop came may be asked again.
  EXPECT_LE(stopped.queries + resumed.queries, 101u);
}

TEST_F(AnswerCacheTest, NoCacheNeitherReadsNorKeepsAndRefreshAsksAnewAndKeeps) {
  EXPECT_EQ(counted_run(options({"--no-cache"})).queries, 100u);
  EXPECT_FALSE(std::filesystem::exists(cache_file));
  EXPECT_EQ(counted_run(options()).queries, 100u);
  EXPECT_EQ(counted_run(options({"--no-cache"})).queries, 100u);

  // The engine now has the first article: only a fresh question finds it.
  std::string published = utf8_from_gbk(article_text(1));
  site.index(published);
  const Counted refreshed = counted_run(options({"--refresh"}));
  EXPECT_EQ(refreshed.queries, 19u * 5 + 6);
  EXPECT_EQ(verdict_lines(refreshed.finished.out).front(), "not-original\t6\t6\t100\t" + article_path(1).string());
  const Counted after = counted_run(options());
  EXPECT_EQ(after.queries, 0u);
  EXPECT_EQ(verdict_lines(after.finished.out), verdict_lines(refreshed.finished.out));
}

TEST_F(AnswerCacheTest, ANotIndexedLifetimeOfZeroAsksThoseAgainButNotTheIndexed) {
  write_settings(settings, {"检测内容=真", "[结果缓存]", "未收录保留天数=0"});
  site.index(utf8_from_gbk(article_text(1)));
  EXPECT_EQ(counted_run(options()).queries, 19u * 5 + 6);
  EXPECT_EQ(counted_run(options()).queries, 19u * 5);
  // Off in the settings: nothing is kept or used.
  write_settings(settings, {"检测内容=真", "[结果缓存]", "启用=假"});
  EXPECT_EQ(counted_run(options()).queries, 19u * 5 + 6);
}

TEST_F(AnswerCacheTest, TwoRunsOnOneCacheAtOnceBothFinishWithEveryVerdict) {
  Finished second;
  const Finished first = run(options(), [&](pid_t) { second = run(options(), {}, temp / "second"); });
  for (const Finished* finished : {&first, static_cast<const Finished*>(&second)}) {
    EXPECT_EQ(finished->status, 0) << finished->err;
    EXPECT_EQ(verdict_lines(finished->out).size(), size_t{kArticles});
    EXPECT_THAT(finished->err, Not(HasSubstr("结果缓存")));
  }
}

TEST_F(AnswerCacheTest, AGarbageCacheFileGivesOneWarningAndACorrectRun) {
  write_file_bytes(cache_file, std::string(4096, 'x'));
  const Counted garbage = counted_run(options());
  EXPECT_EQ(garbage.finished.status, 0);
  EXPECT_EQ(garbage.queries, 100u);
  EXPECT_THAT(verdict_lines(garbage.finished.out), Each(StartsWith("original\t5\t0\t0\t")));
  const std::string& err = garbage.finished.err;
  EXPECT_EQ(std::ranges::count(err, '\n'), 1) << err;
  EXPECT_THAT(err, HasSubstr("结果缓存无法使用，本次照常向搜索引擎查询：" + cache_file.string()));
}

TEST_F(AnswerCacheTest, ADryRunSendsNothingAndSaysWhatTheCacheWillAnswer) {
  const std::vector<std::string> dry = options({"--dry-run", "--interval", "1.5"});
  const Counted before = counted_run(dry);
  EXPECT_EQ(before.queries, 0u);
  EXPECT_EQ(before.finished.status, 0);
  const std::vector<std::string> lines = verdict_lines(before.finished.out);
  ASSERT_EQ(lines.size(), size_t{kArticles});
  EXPECT_EQ(lines.front(), "estimate\t10\t0\t" + article_path(1).string());
  EXPECT_THAT(before.finished.out, HasSubstr("\n预计最多 200 次搜索，其中 0 次可用缓存，约 5 分钟\n"));

  counted_run(options());
  const Counted after = counted_run(dry);
  EXPECT_EQ(after.queries, 0u);
  EXPECT_EQ(verdict_lines(after.finished.out).front(), "estimate\t10\t5\t" + article_path(1).string());
  EXPECT_THAT(after.finished.out, HasSubstr("\n预计最多 200 次搜索，其中 100 次可用缓存，约 2.5 分钟\n"));
}

}  // namespace

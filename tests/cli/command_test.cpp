#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <random>
#include <thread>

#include "support/gbk.h"
#include "tests/batch/utf16_bytes.h"
#include "tests/cli/command_fixture.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/saved_pages.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::vector<std::string> with(std::vector<std::string> options, const std::vector<std::string>& more) {
  options.insert(options.end(), more.begin(), more.end());
  return options;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST_F(CommandTest, AFolderGivesOneLinePerArticleTheSummaryTheStatusAndTheReport) {
  // At 90 % one sentence not indexed is sure enough, two indexed are not.
  const Finished csv =
      run(with(quick_options(), {"--ratio", "90", "--report", (temp / "r.csv").string(), articles.string()}));
  EXPECT_EQ(csv.status, 1);
  const std::vector<std::string> lines = lines_of(csv.out);
  ASSERT_EQ(lines.size(), 4u) << csv.out;
  EXPECT_EQ(lines[0], "original\t1\t0\t0\t" + first_original.string());
  EXPECT_EQ(lines[1], "not-original\t2\t2\t100\t" + published.string());
  EXPECT_EQ(lines[2], "original\t1\t0\t0\t" + second_original.string());
  EXPECT_THAT(lines[3], HasSubstr("已检测 3 篇"));
  EXPECT_THAT(lines[3], HasSubstr("原创 2 篇"));
  // The rows the window's batch lists.
  EXPECT_EQ(read_file_bytes(temp / "r.csv"),
            "\xEF\xBB\xBF文件,结果,检测句数,收录句数,判断依据,原创副本,已删除原文件,检测报告,置信区间,"
            "结论稳定,查询次数,缓存结果\r\n" +
                first_original.string() + ",原创,1,0,收录率 0%,,否,,0%–79%,是,1,0\r\n" + published.string() +
                ",内容已收录,2,2,收录率 100%,,否,,34%–100%,否,2,0\r\n" + second_original.string() +
                ",原创,1,0,收录率 0%,,否,,0%–79%,是,1,0\r\n");
  // Without --copy-originals nothing is moved, copied or made.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(articles), {}), 3);

  // Only originals: status 0; the same rows as JSON, now answered from the cache.
  const Finished json = run(with(quick_options(), {"--ratio", "90", "--report", (temp / "r.json").string(),
                                                   first_original.string(), second_original.string()}));
  EXPECT_EQ(json.status, 0);
  const std::string row =
      "\",\n    \"indexed\": 0,\n    \"interval\": {\n      \"high\": 79,\n      \"low\": 0\n    },\n    "
      "\"queries\": 0,\n    \"rate\": \"收录率 0%\",\n    \"report\": \"\",\n    \"searched\": 1,\n    "
      "\"stable\": true,\n    \"verdict\": \"原创\"\n  }";
  const std::string row_head = "\n  {\n    \"cached\": 1,\n    \"copy\": \"\",\n    \"deleted\": false,\n    \"file\": \"";
  EXPECT_EQ(read_file_bytes(temp / "r.json"),
            "[" + row_head + first_original.string() + row + "," + row_head + second_original.string() + row +
                "\n]\n");
}

// An article the run could not decide makes it no success, whatever the others
// were: 1 when it had nothing to search, 3 when its pages could not be read.
TEST_F(CommandTest, AnUndecidedArticleAmongOriginalsIsNoSuccess) {
  engine.serve([this](const ReceivedRequest& request) {
    if (SearchSite::query_of(request).value_or("").starts_with("改版页面"))
      return html_reply("<html><body><div id=\"new\">改版页面</div></body></html>", "utf-8");
    return site.answer(request);
  });
  const struct {
    std::string_view name;
    std::string_view text;
    int status;
  } cases[] = {
      {"短句.txt", "短句。小河。炊烟。", 1},
      {"改版.txt", "改版页面上的第一句话。改版页面上的第二句话。", 3},
  };
  for (const auto& undecided : cases) {
    SCOPED_TRACE(undecided.name);
    const std::filesystem::path file = articles / undecided.name;
    write_file_bytes(file, gbk(undecided.text));
    const Finished finished =
        run(with(quick_options(), {first_original.string(), file.string(), second_original.string()}));
    EXPECT_EQ(finished.status, undecided.status) << finished.err;
    const std::vector<std::string> lines = lines_of(finished.out);
    ASSERT_EQ(lines.size(), 4u) << finished.out;
    EXPECT_THAT(lines[0], StartsWith("original\t"));
    EXPECT_THAT(lines[1], StartsWith("undecided\t"));
    EXPECT_THAT(lines[2], StartsWith("original\t"));
  }
}

TEST_F(CommandTest, CopyAndDeleteMoveExactlyTheOriginals) {
  const std::string first_bytes = read_file_bytes(first_original);
  const std::string second_bytes = read_file_bytes(second_original);
  const Finished finished =
      run(with(quick_options(), {"--copy-originals", "--delete-checked", articles.string()}));
  EXPECT_EQ(finished.status, 1) << finished.err;
  EXPECT_THAT(files_below(articles), ElementsAre("另存文件夹[原创文章]/a原创.txt: " + first_bytes,
                                                 "另存文件夹[原创文章]/c原创.txt: " + second_bytes));
}

TEST_F(CommandTest, AFileNamedTwiceOrInsideANamedFolderIsCheckedOnce) {
  const std::string first_bytes = read_file_bytes(first_original);
  const Finished finished =
      run(with(quick_options(), {"--copy-originals", "--delete-checked", first_original.string(),
                                 articles.string(), (articles / "." / "a原创.txt").string()}));
  EXPECT_EQ(finished.status, 1) << finished.err;
  const std::vector<std::string> lines = lines_of(finished.out);
  ASSERT_EQ(lines.size(), 4u) << finished.out;
  EXPECT_EQ(lines[0], "original\t1\t0\t0\t" + first_original.string());
  EXPECT_THAT(lines[3], HasSubstr("已检测 3 篇"));
  EXPECT_THAT(lines[3], Not(HasSubstr("无法读取")));
  EXPECT_EQ(files_below(articles).front(), "另存文件夹[原创文章]/a原创.txt: " + first_bytes);
}

TEST_F(CommandTest, ANameWithControlCharactersCanForgeNoLineNorReachTheTerminalRaw) {
  const std::filesystem::path forged = articles / "x\noriginal\t1\t0\t0\t\x1b[2J\\.txt";
  std::filesystem::rename(first_original, forged);
  std::vector<std::string> arguments = with(quick_options(), {forged.string()});
  std::erase(arguments, "--quiet");
  const Finished finished = run(arguments);
  EXPECT_EQ(finished.status, 0) << finished.err;
  const std::vector<std::string> lines = lines_of(finished.out);
  ASSERT_EQ(lines.size(), 2u) << finished.out;
  EXPECT_EQ(lines[0],
            "original\t1\t0\t0\t\"" + articles.string() + "/x\\noriginal\\t1\\t0\\t0\\t\\033[2J\\\\.txt\"");
  EXPECT_EQ(finished.err.find('\x1b'), std::string::npos) << finished.err;
}

TEST_F(CommandTest, AnOriginalThatCouldNotBeCopiedGivesStatus2AndStays) {
  // A plain file where the output folder should go: no copy can land.
  write_file_bytes(articles / "另存文件夹[原创文章]", "");
  const Finished finished =
      run(with(quick_options(), {"--copy-originals", "--delete-checked", first_original.string()}));
  EXPECT_EQ(finished.status, 2) << finished.out;
  EXPECT_THAT(finished.err, HasSubstr("cannot copy '" + first_original.string() + "'"));
  EXPECT_TRUE(std::filesystem::exists(first_original));
}

TEST_F(CommandTest, AFileOfAFolderThatCannotBeReadIsNamedWithStatus2) {
  const std::filesystem::path pipe = articles / "管道.txt";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const Finished finished = run(with(quick_options(), {articles.string()}));
  EXPECT_EQ(finished.status, 2) << finished.out;
  EXPECT_THAT(finished.out, HasSubstr("unreadable\t"));
  EXPECT_THAT(finished.err, HasSubstr("cannot read '" + pipe.string() + "'"));
  EXPECT_TRUE(std::filesystem::exists(pipe));
}

TEST_F(CommandTest, ArticlesAreReadAsTheirTextAndBytesThatAreNoTextAreUnreadable) {
  const std::filesystem::path folder = temp / "encodings";
  std::filesystem::create_directory(folder);
  const std::u16string published = u"这是一篇早已发表在网上的新闻稿件。\r\n记者今天在现场看到了热闹的景象。\r\n";
  const std::string big5_published =
      "\xB3\x6F\xAC\x4F\xA4\x40\xBD\x67\xA6\xAD\xA4\x77\xB5\x6F\xAA\xED\xA6\x62\xBA\xF4\xA4\x57\xAA\xBA\xB7"
      "\x73\xBB\x44\xBD\x5A\xA5\xF3\xA1\x43\xB0\x4F\xAA\xCC\xA4\xB5\xA4\xD1\xA6\x62\xB2\x7B\xB3\xF5\xAC\xDD"
      "\xA8\xEC\xA4\x46\xBC\xF6\xBE\x78\xAA\xBA\xB4\xBA\xB6\x48\xA1\x43";
  std::mt19937 random(3);
  std::string random_bytes;
  for (int i = 0; i < 4096; ++i) random_bytes.push_back(static_cast<char>(random() & 0xFF));
  const std::pair<std::filesystem::path, std::string> files[] = {
      {folder / "a-utf16le.txt", utf16le(published)},
      {folder / "b-utf16be.txt", utf16be(published)},
      {folder / "c-big5.htm",
       "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\"></head><body>" +
           big5_published + "</body></html>"},
      {folder / "d-random.txt", random_bytes},
  };
  for (const auto& [file, bytes] : files) write_file_bytes(file, bytes);

  const Finished finished = run(with(quick_options(), {"--pattern", "*", folder.string()}));
  EXPECT_EQ(finished.status, 2) << finished.err;
  const std::vector<std::string> lines = lines_of(finished.out);
  ASSERT_EQ(lines.size(), 5u) << finished.out;
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(lines[i], "not-original\t2\t2\t100\t" + files[i].first.string());
  EXPECT_EQ(lines[3], "unreadable\t0\t0\t0\t" + files[3].first.string());
  EXPECT_THAT(finished.err, HasSubstr("cannot read '" + files[3].first.string() + "' (not valid GBK text)"));
  EXPECT_EQ(read_file_bytes(files[3].first), random_bytes);
}

TEST_F(CommandTest, SigintDuringTheIntervalStopsAtOnceWithThePartialSummary) {
  // The first article is one sentence, searched without a pause; the second waits a
  // minute before its second search, and is interrupted there.
  write_file_bytes(first_original, read_file_bytes(first_original).substr(0, 28));
  const std::vector<std::string> before = files_below(articles);
  const auto interrupt_after_two_searches = [this](pid_t child) {
    while (engine.requests().size() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(child, SIGINT);
  };
  const Finished finished = run(
      with(quick_options(), {"--interval", "60", "--copy-originals", "--delete-checked", articles.string()}),
      interrupt_after_two_searches);
  EXPECT_EQ(finished.status, 130);
  const std::vector<std::string> lines = lines_of(finished.out);
  ASSERT_EQ(lines.size(), 2u) << finished.out;
  EXPECT_EQ(lines[0], "original\t1\t0\t0\t" + first_original.string());
  EXPECT_THAT(lines[1], HasSubstr("已检测 1 篇"));
  EXPECT_EQ(engine.requests().size(), 2u);
  // The finished original was moved; the interrupted and the unbegun stay.
  EXPECT_THAT(files_below(articles), ElementsAre(before[1], before[2], "另存文件夹[原创文章]/" + before[0]));
}

TEST_F(CommandTest, EachBadInputGivesStatus2AndChangesNothing) {
  const std::filesystem::path missing = temp / "missing.txt";
  const std::filesystem::path article_named_like_a_report = temp / "文章.csv";
  write_file_bytes(article_named_like_a_report, gbk("名字像报告的一篇文章。"));
  const std::vector<std::vector<std::string>> bad_inputs = {
      {"--no-such-option", articles.string()},
      {"--sentences", "0", articles.string()},
      {"--ratio", "101", articles.string()},
      {"--interval", "-1", articles.string()},
      {"--interval", "nan", articles.string()},
      {"--engine", "yahoo", articles.string()},
      {"--proxy", "no-port", articles.string()},
      {"--encoding", "latin1", articles.string()},
      {"--report", (temp / "r.txt").string(), articles.string()},
      {"--report", (temp / "no-folder" / "r.csv").string(), articles.string()},
      {"--report", article_named_like_a_report.string(), article_named_like_a_report.string()},
      {"--delete-checked", articles.string()},
      {"--browser", articles.string()},
      {"--no-cache", "--refresh", articles.string()},
      {"--no-content", articles.string()},
      {articles.string(), missing.string()},
      {"--settings", missing.string(), articles.string()},
      {"--settings", articles.string(), articles.string()},  // a folder cannot be read as a file
      {"--sentences"},
      {},
  };
  const std::vector<std::string> before = files_below(temp.path());
  const auto refused = [&](const std::vector<std::string>& bad) {
    std::vector<std::string> arguments = {"--settings", settings.string(), "--proxy", engine.address()};
    arguments.insert(arguments.end(), bad.begin(), bad.end());
    const Finished finished = run(arguments);
    const std::string which = testing::PrintToString(bad);
    EXPECT_EQ(finished.status, 2) << which;
    EXPECT_EQ(finished.out, "") << which;
    EXPECT_THAT(finished.err, HasSubstr("originality-check: ")) << which;
    EXPECT_EQ(std::ranges::count(finished.err, '\n'), finished.err.find("Try") == std::string::npos ? 1 : 2)
        << which << finished.err;
    std::filesystem::remove(temp / "stdout");
    std::filesystem::remove(temp / "stderr");
    EXPECT_EQ(files_below(temp.path()), before) << which;
    return finished.err;
  };
  for (const std::vector<std::string>& bad : bad_inputs) refused(bad);
  // A number with anything after it is no number either; the message names the option.
  for (const auto& [option, value] : {std::pair{"--sentences", "5x"}, {"--ratio", "50%"}, {"--interval", "1.5s"}})
    EXPECT_THAT(refused({option, value, articles.string()}), HasSubstr(std::string(option) + ": value")) << value;
  EXPECT_TRUE(engine.requests().empty());
}

TEST_F(CommandTest, ASettingsFileThatCannotBeReadIsRefusedSayingWhy) {
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {temp / "missing.ini", "No such file or directory"},
      {articles, "Is a directory"},
  };
  for (const auto& [file, why] : cases) {
    const Finished finished = run({"--settings", file.string(), articles.string()});
    EXPECT_EQ(finished.status, 2);
    EXPECT_THAT(finished.err, HasSubstr("cannot read settings file: '" + file.string() + "': " + why));
  }
}

// Keys without the section header are no settings: said, not silently ignored.
TEST_F(CommandTest, ASettingsFileWithoutItsSectionIsNamedInAWarning) {
  write_file_bytes(settings, gbk("检测内容=真\r\n句数=1\r\n"));
  const Finished finished = run({"--settings", settings.string(), "--quiet", published.string()});
  EXPECT_THAT(finished.err, HasSubstr("settings file '" + settings.string() + "' has no [基本配置] section"));
  EXPECT_EQ(finished.status, 2);
}

// Results that could not be written are not reported as a normal end.
TEST_F(CommandTest, ResultsThatCannotBeWrittenGiveStatus2) {
  standard_output = "/dev/full";
  const Finished finished = run(with(quick_options(), {first_original.string()}));
  EXPECT_EQ(finished.status, 2);
  EXPECT_THAT(finished.err, HasSubstr("originality-check: cannot write the results to standard output"));
}

TEST_F(CommandTest, AnUnknownShortOptionIsNamedItselfWithAHintForNamesStartingWithADash) {
  const Finished finished = run({"--settings", settings.string(), "--encoding", "utf-8", "-x.txt"});
  EXPECT_EQ(finished.status, 2);
  EXPECT_THAT(finished.err, HasSubstr("unknown option '-x'"));
  EXPECT_THAT(finished.err, HasSubstr("'--'"));
  // Inside a group, and a letter option of ours given a value, are named as written.
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"-qx"}, "'-x'"},
      {{"--quiet=1"}, "'--quiet=1'"},
      {{"--quiet", "--nope"}, "'--nope'"},
  };
  for (const auto& [arguments, named] : cases) {
    EXPECT_THAT(run(arguments).err, HasSubstr("unknown option " + named));
  }
}

TEST_F(CommandTest, TheWindowProgramsSettingsFileIsHonouredAndOptionsOverrideIt) {
  // As the window program saves it: soso through the local engine, one sentence,
  // judged by the indexed rate, the title not searched.
  write_settings(
      settings, {"检测标题=假", "检测内容=真", "句数=1", "最少字数=5", "判断比例=60", "按收录率判断非原创=真",
                 "间隔秒=0", "引擎=2", "代理形式=2", "IP=" + engine.address()});
  const std::string saved = read_file_bytes(settings);
  const Finished from_file = run({"--settings", settings.string(), "--quiet", published.string()});
  EXPECT_EQ(from_file.status, 1) << from_file.err;
  EXPECT_EQ(lines_of(from_file.out).front(), "not-original\t1\t1\t100\t" + published.string());
  ASSERT_EQ(engine.requests().size(), 1u);
  EXPECT_EQ(engine.requests()[0].host, "www.soso.com");

  const Finished overridden =
      run({"--settings", settings.string(), "--quiet", "--engine", "搜狗", published.string()});
  EXPECT_EQ(overridden.status, 1);
  EXPECT_EQ(engine.requests().back().host, "www.sogou.com");
  // Nothing is written back.
  EXPECT_EQ(read_file_bytes(settings), saved);
}

// A stored choice that names no item (a hand-edited file) must not leave the
// run without an engine, which would judge every article original unsearched.
TEST_F(CommandTest, AStoredChoiceOutsideTheListKeepsTheDefault) {
  for (const std::string engine_choice : {"引擎=9", "引擎=-1", "引擎=1e300"}) {
    SCOPED_TRACE(engine_choice);
    write_settings(settings, {"检测内容=真", "句数=1", "最少字数=5", "间隔秒=0", engine_choice});
    const Finished finished =
        run({"--settings", settings.string(), "--quiet", "--proxy", engine.address(), published.string()});
    EXPECT_EQ(finished.status, 1) << finished.err;
    ASSERT_FALSE(engine.requests().empty());
    EXPECT_EQ(engine.requests().back().host, "www.baidu.com");
  }
}

// Five of ten pieces long enough, one answered by a page without a result list, the
// others not indexed: 50 % with that page, 40 % without, and nothing left to search.
TEST_F(CommandTest, SentencesRunningOutWithOnlyAnUnreadPageToDecideGiveNoVerdictAndTheFileStays) {
  const std::string bytes = gbk(
      "第一句检测文字。第二句检测文字。第三句检测文字。第四句检测文字。第五句检测文字。短。短。短。短。短。");
  write_file_bytes(first_original, bytes);
  engine.serve([this](const ReceivedRequest& request) {
    if (SearchSite::query_of(request) != "第三句检测文字") return site.answer(request);
    return html_reply("<html><head><title>改版</title></head><body><div id=\"new\">结果</div></body></html>",
                      "utf-8");
  });
  const Finished finished = run(
      with(quick_options(), {"--sentences", "10", "--min-chars", "4", "--ratio", "50", "--judge", "unindexed",
                             "--copy-originals", "--delete-checked", first_original.string()}));
  EXPECT_EQ(finished.status, 3) << finished.err;
  EXPECT_EQ(lines_of(finished.out).front(), "undecided\t5\t0\t0\t" + first_original.string());
  EXPECT_EQ(read_file_bytes(first_original), bytes);
  EXPECT_EQ(engine.requests().size(), 5u);
}

TEST_F(CommandTest, AnEngineThatCannotBeAskedEndsTheRunWithStatus3) {
  site.block_next(1);
  const Finished blocked = run(with(quick_options(), {"--block-wait", "0", first_original.string()}));
  EXPECT_EQ(blocked.status, 3) << blocked.err;
  EXPECT_THAT(blocked.err, HasSubstr("验证码"));

  const Finished unreachable =
      run(with(quick_options(), {"--engine", "360", "--proxy", "127.0.0.1:1", first_original.string()}));
  EXPECT_EQ(unreachable.status, 3) << unreachable.err;
  EXPECT_THAT(unreachable.err, HasSubstr("无法从搜索引擎"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(articles), {}), 3);
}

}  // namespace

namespace {

TEST_F(CommandTest, BingIsNamedInEveryWayTheWindowKnowsIt) {
  for (const std::string name : {"bing", "必应", "5"}) {
    SCOPED_TRACE(name);
    const Finished finished = run(with(quick_options(), {"--engine", name, articles.string()}));
    EXPECT_EQ(finished.status, 1) << finished.err;
    EXPECT_THAT(finished.out, HasSubstr("not-original\t2\t2\t100\t" + published.string()));
    ASSERT_FALSE(engine.requests().empty());
    EXPECT_EQ(engine.requests().back().host, "cn.bing.com");
  }
}

// The real pages the engines send robots: one line on standard error says why, and
// the status tells the engine failed us.
TEST_F(CommandTest, AnEngineTakingUsForARobotEndsTheRunWithItsCauseAndStatus3) {
  if (!std::filesystem::is_directory(kSavedPagesFolder))
    GTEST_SKIP() << "no saved pages at " << kSavedPagesFolder;
  for (const RobotPage& robot : kRobotPages) {
    SCOPED_TRACE(robot.file);
    const std::string page = read_file_bytes(kSavedPagesFolder / robot.file);
    engine.serve([page](const ReceivedRequest&) { return html_reply(page, "utf-8"); });
    const Finished finished = run(with(quick_options(), {"--engine", std::to_string(robot.engine_index),
                                                         "--block-wait", "0", first_original.string()}));
    EXPECT_EQ(finished.status, 3) << finished.err;
    EXPECT_THAT(finished.err, HasSubstr(robot.message));
    EXPECT_THAT(finished.err, Not(HasSubstr("网络")));
    EXPECT_THAT(finished.out, Not(HasSubstr("original\t")));
  }
}

}  // namespace

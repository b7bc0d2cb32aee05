#include "tests/cli/command_fixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "support/gbk.h"
#include "tests/testsupport/file_bytes.h"

extern char** environ;

namespace {

constexpr std::string_view kPublishedText =
    "这是一篇早已发表在网上的新闻稿件。记者今天在现场看到了热闹的景象。";

}  // namespace

CommandTest::CommandTest() {
  engine.serve([this](const ReceivedRequest& request) { return site.answer(request); });
  site.index(kPublishedText);
  std::filesystem::create_directory(articles);
  write_file_bytes(first_original, gbk("我家门前的小河静静流过田野。傍晚的炊烟慢慢升上了屋顶。"));
  write_file_bytes(published, gbk(kPublishedText));
  write_file_bytes(second_original, gbk("山坡上的杏花开得正好看呢。孩子们在树下追着蝴蝶跑来跑去。"));
  // The window program's defaults tick no check at all.
  write_settings(settings, {"检测内容=真"});
}

CommandTest::Finished CommandTest::run(const std::vector<std::string>& arguments,
                                       const std::function<void(pid_t)>& while_running,
                                       const std::filesystem::path& output) const {
  const std::filesystem::path out_file = output.empty() ? standard_output : output;
  const std::filesystem::path err_file = output.empty() ? temp / "stderr" : std::filesystem::path(output.string() + ".err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> words{CLI_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child = -1;
  EXPECT_EQ(posix_spawn(&child, CLI_PROGRAM, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  if (while_running) while_running(child);
  int wait_status = 0;
  waitpid(child, &wait_status, 0);
  return {WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1,
          std::filesystem::is_regular_file(out_file) ? read_file_bytes(out_file) : "",
          read_file_bytes(err_file)};
}

std::vector<std::string> CommandTest::quick_options() const {
  return {"--settings", settings.string(), "--proxy", engine.address(), "--engine", "baidu",   "--interval",
          "0",          "--sentences",     "2",       "--min-chars",    "5",        "--judge", "indexed",
          "--quiet"};
}

void CommandTest::write_settings(const std::filesystem::path& file,
                                 const std::vector<std::string>& utf8_lines) const {
  std::string text = "[基本配置]\r\n";
  for (const std::string& line : utf8_lines) text += line + "\r\n";
  write_file_bytes(file, gbk(text));
}

std::vector<std::string> CommandTest::files_below(const std::filesystem::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files.push_back(entry.path().lexically_relative(folder).string() + ": " +
                      read_file_bytes(entry.path()));
  }
  std::ranges::sort(files);
  return files;
}

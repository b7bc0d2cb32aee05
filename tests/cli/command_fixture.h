#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"
#include "tests/testsupport/temp_dir.h"

// The real originality-check program run against the local engine, over one
// folder of articles: two originals (sentences no engine has) and one copy of a
// published text. Every run names its settings file, so the program never reads
// the one beside it in the build tree.
class CommandTest : public ::testing::Test {
 protected:
  CommandTest();

  struct Finished {
    int status = -1;  // the exit status
    std::string out;
    std::string err;
  };

  // Runs the program with `arguments` and waits for it. `while_running` gets its
  // process id as soon as it has started. Its standard output goes to `output`
  // (standard_output when empty), its standard error beside it.
  Finished run(const std::vector<std::string>& arguments, const std::function<void(pid_t)>& while_running = {},
               const std::filesystem::path& output = {}) const;

  // The options that point the program at the local engine and make each check
  // one quick search per sentence.
  std::vector<std::string> quick_options() const;

  // Writes a settings file as the window program writes it (GBK, CR LF).
  void write_settings(const std::filesystem::path& file, const std::vector<std::string>& utf8_lines) const;

  // Every file below `folder` with its bytes, "name: bytes" in name order.
  static std::vector<std::string> files_below(const std::filesystem::path& folder);

  SearchSite site;
  LocalEngine engine;
  TempDir temp;
  const std::filesystem::path articles = temp / "articles";
  const std::filesystem::path settings = temp / "主配置.ini";
  const std::filesystem::path first_original = articles / "a原创.txt";
  const std::filesystem::path published = articles / "b转载.txt";
  const std::filesystem::path second_original = articles / "c原创.txt";
  // Where the program's standard output goes; read back when it is a file.
  std::filesystem::path standard_output = temp / "stdout";
};

#include <gtest/gtest.h>

#include <QPushButton>
#include <set>

#include "support/gbk.h"
#include "tests/app/main_window_fixture.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"

namespace {

namespace fs = std::filesystem;

constexpr char kOriginalSentence[] = "这是一段从来没有人写过的文字";
constexpr char kCopiedSentence[] = "这句话早已被搜索引擎收录";

// A folder batch started by clicking 按钮选择文件夹 in a window whose settings
// come from 主配置.ini: content check of one sentence per article by the indexed
// rate, examined files deleted, Baidu reached through the local engine as the
// named proxy. The folder browser is answered through the window interface.
class BatchFolderRunTest : public MainWindowTest {
 protected:
  void SetUp() override {
    write_file_bytes(
        configuration_path(),
        gbk("[基本配置]\r\n检测标题=假\r\n检测内容=真\r\n句数=1\r\n最少字数=2\r\n判断比例=60\r\n"
            "按收录率判断非原创=真\r\n间隔秒=0\r\n引擎=0\r\n代理形式=2\r\nIP=" +
            engine.address() + "\r\n浏览器模式检测=假\r\n删除已检测文件=真\r\n文件编码=0\r\n过滤=*.txt\r\n"));
    open_window().window().set_folder_picker(
        [this](const std::string& prompt, const fs::path& start_folder) -> std::optional<fs::path> {
          prompts.push_back(utf8_from_gbk(prompt));
          start_folders.push_back(start_folder);
          return articles;
        });
    site.index(std::string("相关报道：") + kCopiedSentence + "，详见原文。");

    fs::create_directories(articles / "旧");
    write_file_bytes(articles / "原创.txt", gbk(std::string(kOriginalSentence) + "。\r\n"));
    write_file_bytes(articles / "抄袭.txt", "\xEF\xBB\xBF" + std::string(kCopiedSentence) + "。");
    write_file_bytes(articles / "说明.md", "not an article");
    write_file_bytes(articles / "旧" / "旧文.txt", "an older article");
  }

  std::set<std::string> names_in(const fs::path& path) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) names.insert(entry.path().filename().string());
    return names;
  }

  std::vector<std::string> queries() const {
    std::vector<std::string> asked;
    for (const ReceivedRequest& request : engine.requests())
      asked.push_back(SearchSite::query_of(request).value_or("?"));
    return asked;
  }

  SearchSite site;
  LocalEngine engine{[this](const ReceivedRequest& request) { return site.answer(request); }};
  fs::path articles = folder / "文章";
  std::vector<std::string> prompts;
  std::vector<fs::path> start_folders;
};

TEST_F(BatchFolderRunTest, ClickSortsTheFolderAgainstTheEngineAndShowsTheSummary) {
  std::string caption_at_summary;
  bool check_button_enabled_at_summary = true;
  on_message = [&](const Message&) {
    caption_at_summary = utf8_from_gbk(window().caption(Control::按钮选择文件夹));
    check_button_enabled_at_summary = window().enabled(Control::按钮立即检测);
  };

  form().按钮选择文件夹->click();

  EXPECT_EQ(prompts,
            std::vector<std::string>{"选择文件夹，其下的‘*.txt’文件将检测其内容的原创性并归类放置："});
  EXPECT_EQ(start_folders, std::vector<fs::path>{fs::path()});
  const std::vector<std::string> asked = queries();
  EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()),
            (std::set<std::string>{kOriginalSentence, kCopiedSentence}));

  // The original moved into the output folder, the other file deleted, the rest untouched.
  EXPECT_EQ(names_in(articles), (std::set<std::string>{"另存文件夹[原创文章]", "说明.md", "旧"}));
  EXPECT_EQ(names_in(articles / "另存文件夹[原创文章]"), std::set<std::string>{"原创.txt"});
  EXPECT_EQ(read_file_bytes(articles / "另存文件夹[原创文章]" / "原创.txt"),
            gbk(std::string(kOriginalSentence) + "。\r\n"));
  EXPECT_EQ(read_file_bytes(articles / "旧" / "旧文.txt"), "an older article");

  ASSERT_EQ(messages.size(), 1u);
  const std::string summary = utf8_from_gbk(messages[0].text);
  EXPECT_TRUE(summary.starts_with("完成！总耗时 ")) << summary;
  EXPECT_NE(summary.find("！已检测 2 篇，平均耗时 "), std::string::npos) << summary;
  EXPECT_TRUE(summary.ends_with("！原创 1 篇，原创比率 50 %")) << summary;
  EXPECT_EQ(messages[0].caption, gbk("信息："));
  EXPECT_EQ(window().text(Control::状态条), messages[0].text);
  EXPECT_EQ(caption_at_summary, "   立即停止！");
  EXPECT_FALSE(check_button_enabled_at_summary);

  EXPECT_EQ(utf8_from_gbk(window().caption(Control::按钮选择文件夹)), "  批量检测(文件夹)..");
  EXPECT_TRUE(window().enabled(Control::按钮立即检测));
  EXPECT_TRUE(window().enabled(Control::按钮选择文件));
  EXPECT_FALSE(window().visible(Control::进度条数量));
  EXPECT_FALSE(window().visible(Control::标签提示));

  // The browser opens at the folder picked before.
  form().按钮选择文件夹->click();
  ASSERT_EQ(start_folders.size(), 2u);
  EXPECT_EQ(start_folders[1], articles);
}

}  // namespace

TEST_F(BatchFolderRunTest, ClosingTheWindowDuringTheBatchDeletesNothingMore) {
  // The first search is slow to answer, so that the window closes while it is on its way.
  engine.serve([this](const ReceivedRequest& request) {
    Reply reply = site.answer(request);
    if (engine.requests().size() == 1) reply.pause_ms = 500;
    return reply;
  });
  form().show();
  std::set<std::string> names_at_close;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (engine.requests().empty() || !form().isVisible()) return;
    names_at_close = names_in(articles);
    form().close();
  });
  closer.start(10);

  const int exit_code = run_event_loop([&] { form().按钮选择文件夹->click(); });

  EXPECT_EQ(exit_code, 0);
  EXPECT_TRUE(names_at_close.contains("抄袭.txt") || names_at_close.contains("原创.txt"));
  EXPECT_EQ(names_in(articles), names_at_close);
  EXPECT_EQ(engine.requests().size(), 1u);
  EXPECT_TRUE(messages.empty());
}

#include <gtest/gtest.h>

#include <QComboBox>

#include "support/gbk.h"
#include "tests/app/main_window_fixture.h"

namespace {

QStringList items_of(QComboBox* combo_box) {
  QStringList items;
  for (int index = 0; index < combo_box->count(); ++index) items << combo_box->itemText(index);
  return items;
}

}  // namespace

TEST_F(MainWindowTest, WithoutConfigurationEveryControlHasItsFormState) {
  open_window();
  Window& w = window();
  EXPECT_FALSE(w.checked(Control::选择框判断标题));
  EXPECT_FALSE(w.checked(Control::选择框判断内容));
  EXPECT_TRUE(w.checked(Control::单选框按未收录率));
  EXPECT_FALSE(w.checked(Control::单选框按收录率));
  for (const Control on :
       {Control::选择框忽略网址邮箱, Control::选择框忽略数字, Control::选择框浏览器模式检测,
        Control::选择框删除已检测文件, Control::选择框原创, Control::选择框屏蔽等待}) {
    EXPECT_TRUE(w.checked(on));
  }
  EXPECT_EQ(w.selected_index(Control::组合框引擎), 0);
  EXPECT_EQ(w.selected_index(Control::组合框代理形式), 0);
  EXPECT_EQ(w.selected_index(Control::组合框文件编码), 0);
  EXPECT_EQ(w.text(Control::编辑框句数), "10");
  EXPECT_EQ(w.text(Control::编辑框最少字数), "10");
  EXPECT_EQ(w.text(Control::编辑框判断比例), "60");
  EXPECT_EQ(w.text(Control::编辑框间隔秒), "1.5");
  EXPECT_EQ(w.text(Control::编辑框数字位数), "5");
  EXPECT_EQ(w.text(Control::编辑框过滤), "*.txt");
  EXPECT_EQ(w.text(Control::编辑框等待分钟), "30");
  EXPECT_EQ(w.text(Control::编辑框IP), "127.0.0.1:8080");
  EXPECT_EQ(w.text(Control::编辑框标题), gbk("这是文章的标题，下面是文章内容"));
  EXPECT_EQ(w.text(Control::编辑框内容)
                .rfind(gbk("模拟真人搜索百度等引擎判断文章原创性，效果取决于设定的判断参数！\r\n"), 0),
            0u);
  EXPECT_EQ(w.text(Control::状态条), "");
  EXPECT_EQ(w.text(Control::标签提示), "");
  EXPECT_FALSE(std::filesystem::exists(configuration_path()));
}

TEST_F(MainWindowTest, CaptionsAndItemsAreTheDesignedOnes) {
  open_window();
  Window& w = window();
  const std::pair<Control, const char*> captions[] = {
      {Control::按钮粘贴, "粘贴↓"},
      {Control::按钮立即检测, "立即检测 >>>"},
      {Control::按钮选择文件, "批量检测.."},
      {Control::按钮选择文件夹, "  批量检测(文件夹).."},
      {Control::选择框判断标题, "检测标题"},
      {Control::选择框判断内容, "检测内容"},
      {Control::单选框按未收录率, "按未收录率判断原创"},
      {Control::单选框按收录率, "按收录率判断非原创"},
      {Control::选择框忽略网址邮箱, "忽略网址邮箱"},
      {Control::选择框忽略数字, "忽略      位以上数字"},
      {Control::选择框浏览器模式检测, "浏览器模式检测"},
      {Control::选择框删除已检测文件, "删除已检测文件"},
      {Control::选择框原创, "原创文章另存文件夹"},
      {Control::选择框屏蔽等待, "当百度屏蔽时自动等待多少分钟（否则弹出信息框提示）："},
      {Control::分组框1, "当前检测的文章标题和文章内容"},
  };
  for (const auto& [control, caption] : captions) EXPECT_EQ(w.caption(control), gbk(caption));
  const std::pair<Control, const char*> labels[] = {
      {Control::标签9, "检测多少句："},      {Control::标签11, "每句最少字数："},
      {Control::标签10, "判断比例(%)："},    {Control::标签2, "访问间隔秒："},
      {Control::标签4, "搜索引擎："},        {Control::标签6, "文章编码："},
      {Control::超级链接框操作, "操作帮助"}, {Control::超级链接框保存, "保存配置"},
      {Control::超级链接框更新, "查看更新"}, {Control::超级链接框软件, "更多软件"},
  };
  for (const auto& [control, text] : labels) EXPECT_EQ(w.text(control), gbk(text));
  EXPECT_EQ(items_of(form().组合框引擎), QStringList({"百度", "360", "soso", "谷歌", "搜狗", "必应"}));
  EXPECT_EQ(items_of(form().组合框代理形式), QStringList({"正常访问", "IE的代理", "指定代理"}));
  EXPECT_EQ(items_of(form().组合框文件编码),
            QStringList({"自动识别", "ANSI(GBK)", "UTF-8", "Unicode", "Unicode be"}));
}

TEST_F(MainWindowTest, WithoutConfigurationTheRulesDisableWhatTheFormLeavesOff) {
  open_window();
  Window& w = window();
  for (const Control hidden : {Control::浏览器, Control::进度条数量, Control::标签提示}) {
    EXPECT_FALSE(w.visible(hidden));
  }
  EXPECT_TRUE(w.visible(Control::编辑框内容));
  // The content check is off, browser mode is on and no proxy is given.
  for (const Control off :
       {Control::编辑框句数, Control::编辑框最少字数, Control::编辑框判断比例, Control::单选框按收录率,
        Control::单选框按未收录率, Control::选择框原创, Control::组合框代理形式, Control::编辑框IP}) {
    EXPECT_FALSE(w.enabled(off));
  }
  for (const Control on : {Control::编辑框等待分钟, Control::编辑框间隔秒, Control::组合框引擎,
                           Control::按钮立即检测, Control::选择框判断内容, Control::编辑框标题}) {
    EXPECT_TRUE(w.enabled(on));
  }
}

TEST_F(MainWindowTest, CreationPreparesTheTagAndTrimExpressions) {
  open_window();
  EXPECT_EQ(objects().expressions.tag.regex_replace(gbk("<b>原创</b>文章"), ""), gbk("原创文章"));
  EXPECT_EQ(objects().expressions.trim.regex_replace(gbk(" \t　原创 文章　\t "), ""), gbk("原创 文章"));
  EXPECT_EQ(objects().expressions.trim.options(),
            RegexObject::kIgnoreCase | RegexObject::kMultiline | RegexObject::kGlobal);
}

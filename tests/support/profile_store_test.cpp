#include "support/profile_store.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

namespace {

class ProfileStoreTest : public testing::Test {
 protected:
  ProfileStoreTest() { store.open_profile(file, gbk("基本配置")); }

  void write_settings(std::string_view utf8_lines) {
    write_file_bytes(file, gbk("[基本配置]\r\n") + gbk(utf8_lines));
  }
  std::string settings_file() const { return utf8_from_gbk(read_file_bytes(file)); }

  TempDir dir;
  const std::filesystem::path file = dir / "主配置.ini";
  ProfileStore store;
};

}  // namespace

TEST_F(ProfileStoreTest, TextWithLineBreaksIsStoredOnOneLineAndComesBack) {
  const std::string content = gbk("第一行\r\n第二行\r\n\r\n末行");
  EXPECT_TRUE(store.write_text(gbk("内容"), content).written());
  EXPECT_EQ(settings_file(), "[基本配置]\r\n内容=第一行┊*┊第二行┊*┊┊*┊末行\r\n");
  EXPECT_EQ(store.read_text(gbk("内容"), ""), content);
}

TEST_F(ProfileStoreTest, LoneLineFeedsAndCarriageReturnsAreStoredAsLineBreaks) {
  EXPECT_TRUE(store.write_text(gbk("标题"), gbk("两行\n标题\r末\r\n行")).written());
  EXPECT_EQ(settings_file(), "[基本配置]\r\n标题=两行┊*┊标题┊*┊末┊*┊行\r\n");
  EXPECT_EQ(store.read_text(gbk("标题"), ""), gbk("两行\r\n标题\r\n末\r\n行"));
}

TEST_F(ProfileStoreTest, StoredMarkerReadsAsLineBreak) {
  write_settings("标题=甲┊*┊乙\r\n");
  EXPECT_EQ(store.read_text(gbk("标题"), ""), gbk("甲\r\n乙"));
}

TEST_F(ProfileStoreTest, MissingKeyReadsAsTheDefaultUnchanged) {
  const std::string usage = gbk("用法：\r\n  粘贴文章");
  EXPECT_EQ(store.read_text(gbk("内容"), usage), usage);
  EXPECT_EQ(store.read_number(gbk("引擎"), 0.1), 0.1);
  EXPECT_TRUE(store.read_bool(gbk("检测标题"), true));
  EXPECT_FALSE(store.read_bool_lenient(gbk("检测标题"), false));
}

TEST_F(ProfileStoreTest, NumbersAreWrittenInTheShortGeneralForm) {
  store.write_number("two", 2);
  store.write_number("tenth", 0.1);
  store.write_number("half", -1.5);
  store.write_number("small", 0.00001);
  store.write_number("big", 123456789012345.0);
  EXPECT_EQ(settings_file(),
            "[基本配置]\r\ntwo=2\r\ntenth=0.1\r\nhalf=-1.5\r\nsmall=1e-05\r\nbig=1.234567890123e+14\r\n");
  EXPECT_EQ(store.read_number("tenth", 0), 0.1);  // in double precision
  EXPECT_EQ(store.read_number("small", 0), 0.00001);
  EXPECT_EQ(store.read_number("big", 0), 1.234567890123e+14);
}

TEST_F(ProfileStoreTest, NumbersAreReadFromFullWidthFormsAndLeadingDigits) {
  write_settings(
      "full=１．５\r\n"
      "mixed=－２.９\r\n"
      "spaced=　３\r\n"
      "tail=4.25abc\r\n"
      "plus=+7\r\n"
      "words=abc\r\n"
      "dot=.\r\n"
      "infinite=inf\r\n"
      "huge=1e999\r\n"
      "empty=\r\n");
  EXPECT_EQ(store.read_number("full", 9), 1.5);
  EXPECT_EQ(store.read_number("mixed", 9), -2.9);
  EXPECT_EQ(store.read_number("spaced", 9), 3);
  EXPECT_EQ(store.read_number("tail", 9), 4.25);
  EXPECT_EQ(store.read_number("plus", 9), 7);
  for (const char* junk : {"words", "dot", "infinite", "huge", "empty"}) {
    EXPECT_EQ(store.read_number(junk, 9), 0) << junk;
  }
}

TEST_F(ProfileStoreTest, BooleansAreTheWordsTrueAndFalse) {
  EXPECT_TRUE(store.write_bool("on", true).written());
  EXPECT_TRUE(store.write_bool("off", false).written());
  EXPECT_EQ(settings_file(), "[基本配置]\r\non=真\r\noff=假\r\n");

  write_settings("on=真\r\noff=假\r\njunk=yes\r\nblank=\r\n");
  EXPECT_TRUE(store.read_bool("on", false));
  EXPECT_FALSE(store.read_bool("off", true));
  EXPECT_FALSE(store.read_bool("junk", true));
  EXPECT_FALSE(store.read_bool("blank", true));
  EXPECT_TRUE(store.read_bool_lenient("on", false));
  EXPECT_FALSE(store.read_bool_lenient("off", true));
  EXPECT_TRUE(store.read_bool_lenient("junk", false));
}

TEST_F(ProfileStoreTest, EmptyKeyOrSectionReadsAsEmptyWhateverTheDefault) {
  write_settings("k=1\r\n");
  EXPECT_EQ(store.read_text(" ", "dflt"), "");
  EXPECT_EQ(store.read_number("\t", 5), 0);
  EXPECT_FALSE(store.read_bool("", true));

  ProfileStore unopened;
  EXPECT_EQ(unopened.read_text("k", "dflt"), "");
  EXPECT_FALSE(unopened.write_text("k", "v").written());

  store.set_section("");
  EXPECT_EQ(store.read_number("k", 5), 0);
  EXPECT_FALSE(store.write_number("k", 2).written());
}

TEST_F(ProfileStoreTest, SetSectionChoosesWhereReadsAndWritesGo) {
  ProfileStore other;
  other.open_profile(file);
  other.set_section("second");
  EXPECT_TRUE(other.write_text("k", "2").written());
  EXPECT_TRUE(store.write_text("k", "1").written());
  EXPECT_EQ(other.read_text("k", ""), "2");
  EXPECT_EQ(store.read_text("k", ""), "1");
}

TEST_F(ProfileStoreTest, CheckBoxIsStoredUnderItsCaptionByteForByte) {
  FakeWindow window;
  window.set_caption(Control::选择框忽略数字, gbk("忽略      位以上数字"));
  window.set_checked(Control::选择框忽略数字, true);
  EXPECT_TRUE(store.save_check_box(window, Control::选择框忽略数字).written());
  EXPECT_EQ(settings_file(), "[基本配置]\r\n忽略      位以上数字=真\r\n");

  window.set_checked(Control::选择框忽略数字, false);
  EXPECT_TRUE(store.load_check_box(window, Control::选择框忽略数字));
  EXPECT_TRUE(window.checked(Control::选择框忽略数字));
}

TEST_F(ProfileStoreTest, CheckBoxWithJunkValueLoadsUnchecked) {
  write_settings("检测标题=是\r\n");
  FakeWindow window;
  window.set_caption(Control::选择框判断标题, gbk("检测标题"));
  window.set_checked(Control::选择框判断标题, true);
  EXPECT_FALSE(store.load_check_box(window, Control::选择框判断标题));
  EXPECT_FALSE(window.checked(Control::选择框判断标题));
}

TEST_F(ProfileStoreTest, CheckBoxWithoutKeyKeepsItsState) {
  write_settings("忽略     位以上数字=假\r\n");  // five blanks: another key
  FakeWindow window;
  window.set_caption(Control::选择框忽略数字, gbk("忽略      位以上数字"));
  window.set_caption(Control::选择框判断标题, gbk("检测标题"));
  window.set_checked(Control::选择框忽略数字, true);
  window.set_checked(Control::选择框判断标题, false);
  EXPECT_TRUE(store.load_check_box(window, Control::选择框忽略数字));
  EXPECT_FALSE(store.load_check_box(window, Control::选择框判断标题));
  EXPECT_TRUE(window.checked(Control::选择框忽略数字));
  EXPECT_FALSE(window.checked(Control::选择框判断标题));
}

TEST_F(ProfileStoreTest, RadioButtonLoadSetsOnlyTheButtonNamed) {
  FakeWindow window;
  window.set_caption(Control::单选框按收录率, gbk("按收录率判断非原创"));
  window.set_checked(Control::单选框按收录率, true);
  EXPECT_TRUE(store.save_radio(window, Control::单选框按收录率).written());
  EXPECT_EQ(settings_file(), "[基本配置]\r\n按收录率判断非原创=真\r\n");

  window.set_checked(Control::单选框按收录率, false);
  window.set_checked(Control::单选框按未收录率, true);
  EXPECT_TRUE(store.load_radio(window, Control::单选框按收录率));
  EXPECT_TRUE(window.checked(Control::单选框按收录率));
  EXPECT_TRUE(window.checked(Control::单选框按未收录率));
}

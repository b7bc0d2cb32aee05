#include "app/main_form.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <type_traits>

#include "app/hyperlink_label.h"
#include "app/link_addresses.h"
#include "app/picture_button.h"
#include "app/up_down_arrows.h"
#include "app/usage_text.h"
#include "app/whole_number_filter.h"
#include "search/engine_table.h"
#include "support/form_defaults.h"

// Places the member named after a control: member, enumerator and objectName come
// from the one name, so they cannot drift apart.
#define PLACE(member, parent, x, y, width, height)                                          \
  member = place<std::remove_pointer_t<decltype(member)>>(Control::member, #member, parent, \
                                                          QRect(x, y, width, height))

namespace {

// "宋体" as the form asks, then the CJK font installed on Linux systems in its
// variant whose Latin letters and blanks are half an em wide, as in 宋体: the
// digit box lies over six blanks of a caption, and other rows count on these
// widths too.
QFont song_font(int pixel_size) {
  QFont font;
  font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                    QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("WenQuanYi Zen Hei")});
  font.setPixelSize(pixel_size);
  return font;
}

QFont hei_bold_font(int pixel_size) {
  QFont font;
  font.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                    QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("WenQuanYi Zen Hei")});
  font.setPixelSize(pixel_size);
  font.setBold(true);
  return font;
}

QFont link_font() {
  QFont font = song_font(12);
  font.setUnderline(true);
  return font;
}

void set_up_picture(PictureButton* button, const char* picture) {
  const QString base = QStringLiteral(":/pictures/") + QLatin1String(picture);
  button->set_pictures(base + QStringLiteral(".png"), base + QStringLiteral("_highlighted.png"));
}

void set_up_link(HyperlinkLabel* link, const QString& caption, const QString& address) {
  link->setFont(link_font());
  link->setText(caption);
  link->setAlignment(Qt::AlignCenter);
  link->set_address(address);
}

void set_up_bottom_link(HyperlinkLabel* link, const QString& caption, const QString& address) {
  set_up_link(link, caption, address);
  link->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void set_up_row_caption(QLabel* label, const QString& text) {
  label->setText(text);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// A label without text drawn as a thin sunken rule.
void set_up_rule(QLabel* label) {
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

QString default_text_of(Control control) {
  const std::string_view text = default_text(control);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void set_up_number_edit(QLineEdit* edit, Control control) {
  edit->setText(default_text_of(control));
  edit->setAlignment(Qt::AlignCenter);
}

// Check boxes and radio buttons.
void set_up_check_box(QAbstractButton* check_box, Control control) {
  const CheckBoxDefault& form_default = check_box_default(control);
  check_box->setText(
      QString::fromUtf8(form_default.caption.data(), static_cast<qsizetype>(form_default.caption.size())));
  check_box->setChecked(form_default.checked);
}

// The engine table's captions, in its order: the selection is the engine's index.
QStringList engine_captions() {
  QStringList captions;
  for (int index = 0; const Engine* engine = engine_at(index); ++index) {
    captions << QString::fromUtf8(engine->caption.data(), static_cast<qsizetype>(engine->caption.size()));
  }
  return captions;
}

void set_up_combo_box(QComboBox* combo_box, const QStringList& items) {
  combo_box->addItems(items);
  combo_box->setCurrentIndex(0);
}

void set_up_progress_bar(QProgressBar* bar) {
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
}

}  // namespace

MainForm::MainForm() {
  setObjectName(QStringLiteral("主窗口"));
  setWindowTitle(QStringLiteral("澜岫·原创文章检测器 v1.41 - 模拟真人搜索百度检测归类原创文章"));
  setWindowIcon(QIcon(QStringLiteral(":/pictures/window_icon.png")));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(song_font(14));
  build_header_strip();
  build_article_group();
  build_settings_column();
  build_bottom_rows();
  build_status_bar();
}

template <typename Widget>
Widget* MainForm::place(Control control, const char* name, QWidget* parent, QRect geometry) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(geometry);
  widgets_[static_cast<size_t>(control)] = widget;
  return widget;
}

void MainForm::build_header_strip() {
  PLACE(图片框1, this, 0, 0, 914, 88);
  图片框1->setAutoFillBackground(true);
  QPalette white = 图片框1->palette();
  white.setColor(QPalette::Window, Qt::white);
  图片框1->setPalette(white);

  PLACE(图片框操作, 图片框1, 16, 0, 64, 64);
  set_up_picture(图片框操作, "help");
  PLACE(超级链接框操作, 图片框1, 16, 64, 64, 24);
  set_up_link(超级链接框操作, QStringLiteral("操作帮助"), {});
  PLACE(图片框保存, 图片框1, 96, 0, 64, 64);
  set_up_picture(图片框保存, "save");
  PLACE(超级链接框保存, 图片框1, 96, 64, 64, 24);
  set_up_link(超级链接框保存, QStringLiteral("保存配置"), {});
  PLACE(图片框更新, 图片框1, 176, 0, 64, 64);
  set_up_picture(图片框更新, "update");
  PLACE(超级链接框更新, 图片框1, 176, 64, 64, 24);
  set_up_link(超级链接框更新, QStringLiteral("查看更新"), link_addresses::readme());
  PLACE(图片框QQ, 图片框1, 256, 0, 64, 64);
  set_up_picture(图片框QQ, "contact");
  PLACE(超级链接框QQ, 图片框1, 256, 64, 64, 24);
  set_up_link(超级链接框QQ, QStringLiteral("联系我们"), link_addresses::readme());
  PLACE(图片框软件, 图片框1, 336, 0, 64, 64);
  set_up_picture(图片框软件, "software");
  PLACE(超级链接框软件, 图片框1, 336, 64, 64, 24);
  set_up_link(超级链接框软件, QStringLiteral("更多软件"), link_addresses::project_folder());
  PLACE(图片框官网, 图片框1, 544, 12, 145, 64);
  set_up_picture(图片框官网, "logo");

  PLACE(标签5, this, 0, 88, 1000, 2);
  set_up_rule(标签5);
  PLACE(标签3, this, -4, 480, 1088, 3);
  set_up_rule(标签3);
}

void MainForm::build_article_group() {
  PLACE(分组框1, this, 200, 104, 704, 357);
  分组框1->setTitle(QStringLiteral("当前检测的文章标题和文章内容"));
  PLACE(编辑框标题, 分组框1, 13, 24, 611, 24);
  编辑框标题->setText(default_text_of(Control::编辑框标题));
  PLACE(按钮粘贴, 分组框1, 629, 24, 64, 24);
  按钮粘贴->setText(QStringLiteral("粘贴↓"));
  PLACE(编辑框内容, 分组框1, 13, 56, 680, 256);
  编辑框内容->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  编辑框内容->setPlainText(usage_text());
  PLACE(进度条, 分组框1, 13, 320, 680, 24);
  set_up_progress_bar(进度条);
  // Holds the embedded browser once browser mode first needs it.
  PLACE(浏览器, 分组框1, 13, 24, 681, 288);
  浏览器->hide();
}

void MainForm::build_settings_column() {
  PLACE(选择框判断标题, this, 11, 108, 80, 24);
  set_up_check_box(选择框判断标题, Control::选择框判断标题);
  PLACE(选择框判断内容, this, 107, 108, 80, 24);
  set_up_check_box(选择框判断内容, Control::选择框判断内容);

  PLACE(标签9, this, 0, 148, 105, 24);
  set_up_row_caption(标签9, QStringLiteral("检测多少句："));
  PLACE(编辑框句数, this, 112, 148, 50, 24);
  set_up_number_edit(编辑框句数, Control::编辑框句数);
  restrict_to_whole_number_typing(编辑框句数);
  new UpDownArrows(编辑框句数, 0, 100);
  PLACE(标签11, this, 0, 180, 105, 24);
  set_up_row_caption(标签11, QStringLiteral("每句最少字数："));
  PLACE(编辑框最少字数, this, 112, 180, 50, 24);
  set_up_number_edit(编辑框最少字数, Control::编辑框最少字数);
  restrict_to_whole_number_typing(编辑框最少字数);
  new UpDownArrows(编辑框最少字数, 0, 100);
  PLACE(标签10, this, 0, 212, 105, 24);
  set_up_row_caption(标签10, QStringLiteral("判断比例(%)："));
  PLACE(编辑框判断比例, this, 112, 212, 50, 24);
  set_up_number_edit(编辑框判断比例, Control::编辑框判断比例);
  restrict_to_whole_number_typing(编辑框判断比例);
  new UpDownArrows(编辑框判断比例, 0, 100);

  // Siblings under one parent, so selecting one clears the other.
  PLACE(单选框按未收录率, this, 33, 245, 150, 16);
  set_up_check_box(单选框按未收录率, Control::单选框按未收录率);
  PLACE(单选框按收录率, this, 33, 263, 150, 16);
  set_up_check_box(单选框按收录率, Control::单选框按收录率);

  PLACE(标签2, this, 0, 292, 105, 24);
  set_up_row_caption(标签2, QStringLiteral("访问间隔秒："));
  PLACE(编辑框间隔秒, this, 112, 292, 50, 24);
  set_up_number_edit(编辑框间隔秒, Control::编辑框间隔秒);
  new UpDownArrows(编辑框间隔秒, 0, 5000);
  PLACE(标签4, this, 0, 323, 105, 24);
  set_up_row_caption(标签4, QStringLiteral("搜索引擎："));
  PLACE(组合框引擎, this, 112, 325, 67, 20);
  set_up_combo_box(组合框引擎, engine_captions());

  PLACE(按钮立即检测, this, 11, 358, 168, 48);
  按钮立即检测->setFont(hei_bold_font(19));
  按钮立即检测->setText(QStringLiteral("立即检测 >>>"));
  PLACE(选择框忽略网址邮箱, this, 11, 411, 173, 24);
  set_up_check_box(选择框忽略网址邮箱, Control::选择框忽略网址邮箱);
  PLACE(选择框忽略数字, this, 11, 435, 173, 24);
  set_up_check_box(选择框忽略数字, Control::选择框忽略数字);
  // Over the six blanks of the caption above, so the row reads as one sentence.
  PLACE(编辑框数字位数, this, 63, 436, 28, 24);
  set_up_number_edit(编辑框数字位数, Control::编辑框数字位数);
}

void MainForm::build_bottom_rows() {
  PLACE(组合框代理形式, this, 8, 496, 96, 24);
  组合框代理形式->setFont(song_font(16));
  set_up_combo_box(组合框代理形式,
                   {QStringLiteral("正常访问"), QStringLiteral("IE的代理"), QStringLiteral("指定代理")});
  PLACE(编辑框IP, this, 112, 497, 168, 24);
  编辑框IP->setFont(song_font(15));
  编辑框IP->setText(default_text_of(Control::编辑框IP));
  PLACE(选择框浏览器模式检测, this, 299, 497, 125, 24);
  选择框浏览器模式检测->setFont(song_font(15));
  set_up_check_box(选择框浏览器模式检测, Control::选择框浏览器模式检测);
  PLACE(选择框删除已检测文件, this, 440, 497, 120, 24);
  set_up_check_box(选择框删除已检测文件, Control::选择框删除已检测文件);
  PLACE(选择框原创, this, 576, 497, 152, 24);
  set_up_check_box(选择框原创, Control::选择框原创);
  选择框原创->setEnabled(false);
  PLACE(标签6, this, 735, 497, 64, 24);
  标签6->setText(QStringLiteral("文章编码："));
  PLACE(组合框文件编码, this, 808, 498, 96, 24);
  组合框文件编码->setFont(song_font(16));
  set_up_combo_box(组合框文件编码,
                   {QStringLiteral("自动识别"), QStringLiteral("ANSI(GBK)"), QStringLiteral("UTF-8"),
                    QStringLiteral("Unicode"), QStringLiteral("Unicode be")});

  PLACE(选择框屏蔽等待, this, 8, 534, 424, 24);
  选择框屏蔽等待->setFont(song_font(15));
  set_up_check_box(选择框屏蔽等待, Control::选择框屏蔽等待);
  PLACE(编辑框等待分钟, this, 416, 534, 40, 24);
  编辑框等待分钟->setFont(song_font(15));
  set_up_number_edit(编辑框等待分钟, Control::编辑框等待分钟);
  // Covers the wait row while a batch runs.
  PLACE(进度条数量, this, 8, 530, 536, 32);
  set_up_progress_bar(进度条数量);
  进度条数量->hide();
  PLACE(按钮选择文件, this, 552, 530, 136, 32);
  按钮选择文件->setText(QStringLiteral("批量检测.."));
  PLACE(按钮选择文件夹, this, 696, 530, 208, 32);
  按钮选择文件夹->setText(QStringLiteral("  批量检测(文件夹).."));
  按钮选择文件夹->setStyleSheet(QStringLiteral("text-align: left"));
  // Over the right end of the folder button.
  PLACE(编辑框过滤, this, 845, 534, 48, 24);
  set_up_number_edit(编辑框过滤, Control::编辑框过滤);

  PLACE(超级链接框3, this, 16, 567, 144, 20);
  set_up_bottom_link(超级链接框3, QStringLiteral("程序说明 README"), link_addresses::readme());
  PLACE(超级链接框2, this, 200, 567, 256, 20);
  set_up_bottom_link(超级链接框2, QStringLiteral("配置所在文件夹（主配置.ini 在这里）"),
                     link_addresses::settings_folder());
  PLACE(超级链接框1, this, 464, 567, 344, 20);
  // Opens the newest report in the report folder, which changes as checks run.
  set_up_bottom_link(超级链接框1, QStringLiteral("查看最近的检测报告"), QString());
  // Covers the three links while a batch runs.
  PLACE(标签提示, this, 8, 567, 808, 20);
  QPalette hint = 标签提示->palette();
  hint.setColor(QPalette::WindowText, QColor(144, 0, 255));
  标签提示->setPalette(hint);
  标签提示->hide();
}

void MainForm::build_status_bar() {
  constexpr int kStatusBarHeight = 22;
  PLACE(状态条, this, 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
  状态条->setFont(song_font(12));
  状态条->setSizeGripEnabled(false);
  status_panel_ = new QLabel(状态条);
  状态条->addWidget(status_panel_, 1);
}

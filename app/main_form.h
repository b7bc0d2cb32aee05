#pragma once

#include <QWidget>
#include <array>

#include "support/window.h"

class HyperlinkLabel;
class PictureButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;

inline constexpr size_t kControlCount = static_cast<size_t>(Control::状态条) + 1;

// The main window's widgets at their design-time places, captions and states.
// Each member is named after its control, and so is the widget's objectName.
// Geometry is absolute, in pixels of the client area, as the form lays it out;
// the window has no layouts and a fixed size. Behaviour is wired elsewhere.
class MainForm : public QWidget {
  Q_OBJECT

 public:
  // The client area of the 920 x 648 window: Qt sizes the client, and a fixed
  // dialog frame of that outer size (3-pixel border, 22-pixel caption) leaves this.
  static constexpr int kClientWidth = 914;
  static constexpr int kClientHeight = 620;

  MainForm();

  // The widget of a control; every control has one.
  QWidget* widget(Control control) const { return widgets_[static_cast<size_t>(control)]; }
  // Panel 0 of 状态条.
  QLabel* status_panel() const { return status_panel_; }

  QWidget* 图片框1;
  PictureButton* 图片框操作;
  HyperlinkLabel* 超级链接框操作;
  PictureButton* 图片框保存;
  HyperlinkLabel* 超级链接框保存;
  PictureButton* 图片框更新;
  HyperlinkLabel* 超级链接框更新;
  PictureButton* 图片框QQ;
  HyperlinkLabel* 超级链接框QQ;
  PictureButton* 图片框软件;
  HyperlinkLabel* 超级链接框软件;
  PictureButton* 图片框官网;
  QLabel* 标签5;
  QLabel* 标签3;
  QGroupBox* 分组框1;
  QLineEdit* 编辑框标题;
  QPushButton* 按钮粘贴;
  QPlainTextEdit* 编辑框内容;
  QProgressBar* 进度条;
  QWidget* 浏览器;
  QCheckBox* 选择框判断标题;
  QCheckBox* 选择框判断内容;
  QLabel* 标签9;
  QLineEdit* 编辑框句数;
  QLabel* 标签11;
  QLineEdit* 编辑框最少字数;
  QLabel* 标签10;
  QLineEdit* 编辑框判断比例;
  QRadioButton* 单选框按未收录率;
  QRadioButton* 单选框按收录率;
  QLabel* 标签2;
  QLineEdit* 编辑框间隔秒;
  QLabel* 标签4;
  QComboBox* 组合框引擎;
  QPushButton* 按钮立即检测;
  QCheckBox* 选择框忽略网址邮箱;
  QCheckBox* 选择框忽略数字;
  QLineEdit* 编辑框数字位数;
  QComboBox* 组合框代理形式;
  QLineEdit* 编辑框IP;
  QCheckBox* 选择框浏览器模式检测;
  QCheckBox* 选择框删除已检测文件;
  QCheckBox* 选择框原创;
  QLabel* 标签6;
  QComboBox* 组合框文件编码;
  QCheckBox* 选择框屏蔽等待;
  QLineEdit* 编辑框等待分钟;
  QProgressBar* 进度条数量;
  QPushButton* 按钮选择文件;
  QPushButton* 按钮选择文件夹;
  QLineEdit* 编辑框过滤;
  HyperlinkLabel* 超级链接框3;
  HyperlinkLabel* 超级链接框2;
  HyperlinkLabel* 超级链接框1;
  QLabel* 标签提示;
  QStatusBar* 状态条;

 private:
  void build_header_strip();
  void build_article_group();
  void build_settings_column();
  void build_bottom_rows();
  void build_status_bar();

  // Creates a widget of the member's type under `parent`, names it after the
  // control and places it; later widgets lie above earlier ones, as the form
  // overlays some controls on others.
  template <typename Widget>
  Widget* place(Control control, const char* name, QWidget* parent, QRect geometry);

  std::array<QWidget*, kControlCount> widgets_{};
  QLabel* status_panel_ = nullptr;
};

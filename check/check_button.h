#pragma once

#include "check/check_context.h"

// The click on 按钮立即检测. Idle ("立即检测 >>>"): checks the article in the
// window, with the batch buttons disabled and the button showing "点击停止检测！",
// and ends with "检测完毕！" in the status bar. Running (the click arrived through
// the event processing of that run): asks the run to stop and shows "停止中...".
void on_check_button_clicked(CheckContext& context);

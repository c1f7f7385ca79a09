#pragma once

// Every control of the main window under its name in the window's form.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include "app/main_window.h"

namespace tavro::app {

struct Form {
    QGroupBox* 分组框1;
    QGroupBox* 分组框2;
    QGroupBox* 分组框3;
    QGroupBox* 分组框4;
    QGroupBox* 分组框5;
    QGroupBox* 分组框6;
    ListBoxWidget* 游戏名;
    ListBoxWidget* 游戏名1;
    ListBoxWidget* 区;
    ListBoxWidget* 区1;
    ListBoxWidget* 服;
    ListBoxWidget* 服1;
    ListBoxWidget* 类别;
    ListBoxWidget* 类别1;
    ListBoxWidget* 定单;
    ListBoxWidget* 定单1;
    ListBoxWidget* 单价;
    ListBoxWidget* 热门游戏列表;
    ListBoxWidget* 热门游戏列表1;
    ListBoxWidget* 全局统计;
    ReportView* 全局统计交易额;
    ReportView* 超级列表框1;
    ReportView* 总合;
    QPushButton* 成交量;
    QPushButton* 未成交;
    QPushButton* 游戏搜索;
    QPushButton* 按钮1;
    QPushButton* 按钮2;
    QLabel* 标签1;
    QLabel* 标签2;
    QLabel* 状态;
    QLineEdit* 游戏全名搜索;
    QLineEdit* 统计游戏;
    QStatusBar* 状态条1;
    QLabel* statusPart_;
    QMenu* y;
    QMenu* ss;
};

}  // namespace tavro::app

#pragma once

#include "controls/action_context.h"

namespace tavro::ranking {

// 热门游戏: the home page's hot games into 全局统计交易额, 热门游戏列表 / 热门游戏列表1, 统计游戏.
void LoadHotGames(controls::ActionContext& context);
// 统计成交: one turnover total per hot game, in list order, into 全局统计交易额 and 全局统计.
void RankHotGames(controls::ActionContext& context);

// What a click on 按钮2 does on the window's thread before the ranking starts.
void PrepareRanking(controls::Controls& controls);

}  // namespace tavro::ranking

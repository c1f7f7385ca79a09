#pragma once

#include "controls/action_context.h"

namespace tavro::catalogue {

// The games into 游戏名 / 游戏名1, once at start.
void LoadGameList(controls::ActionContext& context);
// The selected game's areas into 区 / 区1 and item categories into 类别 / 类别1; empties 服 / 服1.
void LoadAreasAndCategories(controls::ActionContext& context);
// The selected area's servers into 服 / 服1.
void LoadServers(controls::ActionContext& context);

}  // namespace tavro::catalogue

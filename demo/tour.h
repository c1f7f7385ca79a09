#pragma once

#include <QString>

namespace tavro::app {
class MainWindow;
}

namespace tavro::demo {

// Drives the window the way a user would (games, a game, an area, a category and a server,
// 成交量, a deal, 热门游戏, 统计成交) and saves a screenshot after each step into `directory`.
// Returns 0 when every step showed what it should.
int RunTour(app::MainWindow& window, const QString& directory);

}  // namespace tavro::demo

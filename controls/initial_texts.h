#pragma once

#include "scrape/gbk.h"

namespace tavro::controls {

// What the window shows before any action has written anything.
inline const scrape::Text& InitialStatusText() {
    static const scrape::Text text = scrape::Gbk("状态：");
    return text;
}
inline const scrape::Text& InitialSearchText() {
    static const scrape::Text text = scrape::Gbk("请输入游戏全名");
    return text;
}

}  // namespace tavro::controls

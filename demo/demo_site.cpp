#include "demo/demo_site.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "scrape/gbk.h"

namespace tavro::demo {
namespace {

using scrape::Gbk;

constexpr std::array<const char*, 18> kFirst = {"星海", "龙城", "天穹", "青木", "赤焰", "幻月",
                                                "苍岚", "白鹿", "雷鸣", "云梦", "铁骑", "紫霄",
                                                "寒江", "金沙", "碧落", "风语", "夜航", "山海"};
constexpr std::array<const char*, 12> kSecond = {"远征", "传说", "之门", "纪元", "online", "奇谭",
                                                 "战记", "物语", "英雄", "神域", "Saga",   "大陆"};
constexpr std::array<const char*, 6> kAreaKinds = {"电信", "网通", "双线", "移动", "海外", "教育网"};
constexpr std::array<const char*, 6> kCategories = {"游戏币", "装备", "账号", "道具", "点卡", "代练"};
constexpr std::array<const char*, 8> kServerWords = {"紫禁之巅", "逍遥谷", "听雨轩", "落霞峰",
                                                     "望月台",   "凌云渡", "沧浪亭", "栖霞岭"};
constexpr std::array<const char*, 8> kItems = {"金币", "神兵·破晓", "霓裳羽衣", "坐骑·赤兔",
                                               "灵石", "经验丹",    "宠物蛋",   "高级账号"};

// A small deterministic hash, so every page is the same on every run.
uint32_t Mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t Hash(const std::string& text, uint32_t seed = 0) {
    uint32_t h = 2166136261U ^ seed;
    for (const unsigned char c : text)
        h = (h ^ c) * 16777619U;
    return Mix(h);
}

std::string HexKey(uint32_t seed) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%08x%08x%08x%08x", Mix(seed), Mix(seed + 1), Mix(seed + 2),
                  Mix(seed + 3));
    return buffer;
}

std::string Money(uint32_t cents) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%u.%02u", cents / 100, cents % 100);
    return buffer;
}

std::string Get(const std::map<std::string, std::string>& query, const std::string& name) {
    const auto found = query.find(name);
    return found == query.end() ? std::string() : found->second;
}

struct Named {
    std::string key;
    std::string name;
};

std::vector<Named> AreasOf(const std::string& game) {
    std::vector<Named> areas;
    const uint32_t h = Hash(game, 1);
    const int count = 4 + static_cast<int>(h % 5);
    for (int i = 0; i < count; ++i) {
        const std::string kind = kAreaKinds[(h + static_cast<uint32_t>(i)) % kAreaKinds.size()];
        areas.push_back({std::to_string(100 + i), kind + std::to_string(i / 2 + 1) + "区"});
    }
    return areas;
}

std::vector<Named> ServersOf(const std::string& game, const std::string& area) {
    std::vector<Named> servers;
    const uint32_t h = Hash(game + "/" + area, 2);
    const int count = 5 + static_cast<int>(h % 6);
    for (int i = 0; i < count; ++i) {
        servers.push_back({area + std::to_string(10 + i),
                           std::string(kServerWords[(h + static_cast<uint32_t>(i)) % kServerWords.size()]) +
                               std::to_string(i + 1) + "服"});
    }
    return servers;
}

std::vector<Named> Categories() {
    std::vector<Named> categories;
    for (size_t i = 0; i < kCategories.size(); ++i)
        categories.push_back({std::to_string(20000 + i), kCategories[i]});
    return categories;
}

void Options(std::string& page, const std::vector<Named>& options, const std::string& selected) {
    for (const auto& option : options) {
        page += option.key == selected ? "<option selected=\"selected\" value=\"" : "<option value=\"";
        page += option.key + "\">" + option.name + "</option>\n";
    }
}

void DealRows(std::string& page, int count, uint32_t seed, const std::string& listingHost) {
    page.reserve(page.size() + static_cast<size_t>(count) * 330);
    for (int i = 0; i < count; ++i) {
        const uint32_t h = Mix(seed + static_cast<uint32_t>(i) * 2654435761U);
        const uint32_t unitCents = 1 + h % 5000;
        const uint32_t quantity = 1 + (h >> 13) % 40;
        page += "<div class=\"listmain\"><ul><li class=\"title\"><a href=\"http://" + listingHost + "/deal/" +
                std::to_string(h % 900000 + 100000) + ".shtml\" target=\"_blank\">";
        page += std::string(kItems[(h >> 7) % kItems.size()]) + " x" + std::to_string(quantity) + "</a></li>";
        page += "<li><span class=\"orange\">" + Money(unitCents) + "元/件</span></li>";
        page += "<li class=\"orange\">" + Money(unitCents * quantity) + "元</li>";
        page += "<li>2026-12-" + std::to_string(1 + (h >> 3) % 10) + "</li></ul> </div>";
    }
}

std::string DealListHead() {
    return "<div class=\"listhead\"><ul><li>商品</li><li>单价</li><li>金额</li><li>成交时间</li></ul></div>";
}

std::string Pager(int count) {
    return "<div class=\"pagebox beta\"><ul><li class=\"yeshu\">共 " + std::to_string(count) +
           " 单 1/1 页</li></ul></div>";
}

std::string SimplePage(const std::string& title, const std::string& text) {
    return Gbk("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"><title>" +
               title + "</title></head><body><h1>" + title + "</h1><p>" + text + "</p></body></html>");
}

}  // namespace

DemoSite::DemoSite(std::string listingHost, int gameCount) : listingHost_(std::move(listingHost)) {
    for (int i = 0; i < std::max(gameCount, kHotGameCount); ++i) {
        const std::string name = std::string(kFirst[static_cast<size_t>(i) % kFirst.size()]) +
                                 kSecond[static_cast<size_t>(i * 7 + i / kFirst.size()) % kSecond.size()];
        games_.push_back({name, HexKey(static_cast<uint32_t>(i) * 97 + 13)});
    }
}

int DemoSite::DealCount(const std::string& game, const std::string& area, const std::string& server,
                        const std::string& category) const {
    const auto& first = games_.front().key;
    const auto areas = AreasOf(first);
    if (game == first && area == areas.front().key && server == ServersOf(first, area).front().key &&
        (category.empty() || category == "-1")) {
        return kLargeDealCount;
    }
    return static_cast<int>(Hash(game + area + server + category, 3) % 300);
}

std::string DemoSite::DealListPage(const std::map<std::string, std::string>& query) const {
    const std::string game = Get(query, "gm");
    const std::string area = Get(query, "ga");
    const std::string server = Get(query, "gs");
    const std::string category = Get(query, "bt");
    std::vector<Named> gameOptions;
    for (const auto& g : games_)
        gameOptions.push_back({g.key, g.name});

    std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
        "<title>最新成交 - 交易查询</title></head><body><form>\n";
    page += "<select name=\"grlwbt$ddlGames\" id=\"grlwbt_ddlGames\"><option value=\"-1\">请选择</option>\n";
    Options(page, gameOptions, game);
    page +=
        "</select>\n<select name=\"grlwbt$ddlGameAreas\" id=\"grlwbt_ddlGameAreas\">"
        "<option selected=\"selected\" value=\"-1\">请选择</option>\n";
    Options(page, AreasOf(game), area);
    page +=
        "</select> <select name=\"grlwbt$ddlGameServers\" id=\"grlwbt_ddlGameServers\">"
        "<option selected=\"selected\" value=\"-1\">请选择</option>\n";
    if (!area.empty() && area != "-1") Options(page, ServersOf(game, area), server);
    page +=
        "</select>\n<select name=\"grlwbt$ddlTypes\" id=\"grlwbt_ddlTypes\"><option "
        "value=\"-1\">不限</option>\n";
    Options(page, Categories(), category);
    page += "</select> <span id=\"grlwbt_divSelectedGameAreaName\"></span>\n";
    page += "<input name=\"grlwbt$txtGameId\" type=\"hidden\" value=\"" + game + "\" />\n</form>\n";

    const int pageNumber = std::atoi(Get(query, "pg").c_str());
    int count = 0;
    if (!game.empty()) {
        count = DealCount(game, area, server, category);
        if (pageNumber > 1) count = count / 2 + 20;  // the whole game's second page, for the ranking
    }
    std::string head = Gbk(page + DealListHead());
    std::string rows;
    DealRows(rows, count, Hash(game + area + server + category + Get(query, "pg"), 4), listingHost_);
    return head + Gbk(rows) + Gbk(Pager(count) + "</body></html>");
}

std::string DemoSite::HomePage() const {
    std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
        "<title>交易查询 首页</title></head><body><div class=\"hotgame\"><div class=\"title\">"
        "<span>热门游戏</span></div><ul>";
    for (int i = 0; i < kHotGameCount; ++i) {
        const auto& game = games_[static_cast<size_t>(i)];
        page += "<li><a href=\"http://" + listingHost_ + "/search/" + game.key + ".shtml\" onclick=\"hot('" +
                std::to_string(i) + "');\">" + game.name + "</a></li>";
    }
    page += "</ul></div><div class=\"hotothergamelist\"><ul><li>更多游戏</li></ul></div></body></html>";
    return Gbk(page);
}

std::map<std::string, std::string> DemoSite::ParseQuery(const std::string& target) {
    std::map<std::string, std::string> query;
    const size_t mark = target.find('?');
    if (mark == std::string::npos) return query;
    size_t at = mark + 1;
    while (at <= target.size()) {
        size_t end = target.find('&', at);
        if (end == std::string::npos) end = target.size();
        const std::string pair = target.substr(at, end - at);
        const size_t equals = pair.find('=');
        if (equals != std::string::npos) query[pair.substr(0, equals)] = pair.substr(equals + 1);
        at = end + 1;
    }
    return query;
}

std::string DemoSite::Respond(const std::string& target) const {
    const std::string path = target.substr(0, target.find('?'));
    if (path == "/" || path.empty()) return LoopbackServer::Response(HomePage());
    if (path == "/list/viewlastestdeallist.aspx") {
        const auto query = ParseQuery(target);
        const std::string game = Get(query, "gm");
        if (Get(query, "pg") == "2" && game == games_[kFailingHotGame].key) {
            return LoopbackServer::Response(SimplePage("服务器错误", "请稍后再试。"), 500);
        }
        return LoopbackServer::Response(DealListPage(query));
    }
    if (path.starts_with("/search/")) {
        return LoopbackServer::Response(SimplePage("在售物品", "演示站点：这里列出仍在出售的物品。"));
    }
    if (path.starts_with("/deal/")) {
        return LoopbackServer::Response(SimplePage("定单详情", "演示站点：定单 " + path.substr(6)));
    }
    return LoopbackServer::Response(SimplePage("页面不存在", path), 404);
}

LoopbackServer::Handler DemoSite::Handler() const {
    return [this](const HttpRequestSeen& request, Connection& connection) {
        connection.Write(Respond(request.target));
    };
}

std::string GeneratedDealPage(int count, uint32_t seed, const std::string& listingHost) {
    std::string rows;
    DealRows(rows, count, seed, listingHost);
    return Gbk(DealListHead()) + Gbk(rows) + Gbk(Pager(count));
}

}  // namespace tavro::demo

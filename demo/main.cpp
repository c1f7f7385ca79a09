// tavro-demo: the program against the demo site, served on loopback by this same process.
//
//   tavro-demo                    the demo as a newcomer sees it
//   tavro-demo --games N          a site with N games (a long game list)
//   tavro-demo --stall            a site that accepts and never answers
//   tavro-demo --close-after MS   closes the window after MS milliseconds, as a user would
//   tavro-demo --tour DIR         drives the window through every step, a screenshot each

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/main_window.h"
#include "demo/demo_site.h"
#include "demo/tour.h"
#include "net/http_session.h"

namespace {

struct Options {
    int games = tavro::demo::DemoSite::kGameCount;
    bool stall = false;
    int closeAfterMs = -1;
    QString tourDirectory;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--games") == 0 && hasValue) {
            options.games = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--stall") == 0) {
            options.stall = true;
        } else if (std::strcmp(argv[i], "--tour") == 0 && hasValue) {
            options.tourDirectory = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--close-after") == 0 && hasValue) {
            options.closeAfterMs = std::atoi(argv[++i]);
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tavro;
    net::InitializeHttp();
    const Options options = Parse(argc, argv);
    std::shared_ptr<demo::DemoSite> site;
    auto handler = [&site, &options](const demo::HttpRequestSeen& r, demo::Connection& c) {
        if (options.stall) {
            while (!c.WaitForPeerClose(100)) {
            }
            return;
        }
        site->Handler()(r, c);
    };
    demo::LoopbackServer listing(handler);
    site = std::make_shared<demo::DemoSite>(listing.host(), options.games);
    demo::LoopbackServer home(handler);
    std::printf("demo site: listing http://%s  home http://%s\n", listing.host().c_str(),
                home.host().c_str());
    std::fflush(stdout);

    QApplication application(argc, argv);
    app::WindowConfig config;
    config.site = {listing.host(), home.host()};
    if (!options.tourDirectory.isEmpty()) {
        config.openInBrowser = [](const scrape::Text& url) { std::printf("browser: %s\n", url.c_str()); };
    }
    app::MainWindow window(config);
    window.show();
    if (!options.tourDirectory.isEmpty()) {
        const int result = demo::RunTour(window, options.tourDirectory);
        std::fflush(nullptr);
        std::_Exit(result);
    }
    if (options.closeAfterMs >= 0) QTimer::singleShot(options.closeAfterMs, &window, &QWidget::close);
    const int code = application.exec();
    // Closing the window ends the program at once, whatever the actions are doing.
    std::fflush(nullptr);
    std::_Exit(code);
}

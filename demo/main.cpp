// tavro-demo: the program against the demo site, served on loopback by this same process.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/main_window.h"
#include "demo/demo_site.h"
#include "net/http_session.h"

int main(int argc, char** argv) {
    tavro::net::InitializeHttp();
    std::shared_ptr<tavro::demo::DemoSite> site;
    tavro::demo::LoopbackServer listing([&site](const tavro::demo::HttpRequestSeen& r, tavro::demo::Connection& c) {
        site->Handler()(r, c);
    });
    site = std::make_shared<tavro::demo::DemoSite>(listing.host());
    tavro::demo::LoopbackServer home(site->Handler());
    std::printf("demo site: listing http://%s  home http://%s\n", listing.host().c_str(), home.host().c_str());
    std::fflush(stdout);

    QApplication application(argc, argv);
    tavro::app::WindowConfig config;
    config.site = {listing.host(), home.host()};
    tavro::app::MainWindow window(config);
    window.show();
    const int code = application.exec();
    std::fflush(nullptr);
    std::_Exit(code);
}

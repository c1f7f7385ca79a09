#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "net/http_session.h"

// The program talks to the trading site's fixed hosts and reads no configuration.
int main(int argc, char** argv) {
    tavro::net::InitializeHttp();  // before any thread
    QApplication application(argc, argv);
    tavro::app::MainWindow window;
    window.show();
    const int code = application.exec();
    // Closing the window ends the program at once; running actions are abandoned with it.
    std::fflush(nullptr);
    std::_Exit(code);
}

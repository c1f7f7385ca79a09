#include "app/display.h"

#include "scrape/gbk.h"

namespace tavro::app {

QString Display(const scrape::Text& text) {
    return QString::fromStdString(scrape::DecodeGbk(text));
}

scrape::Text FromDisplay(const QString& text) {
    return scrape::EncodeGbk(text.toStdString());
}

}  // namespace tavro::app

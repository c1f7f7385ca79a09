#pragma once

#include <QString>

#include "scrape/text.h"

namespace tavro::app {

// Texts stay GBK bytes everywhere; only a widget that shows one turns it into Unicode.
QString Display(const scrape::Text& text);
// What the user typed, as the GBK bytes the scraping works with.
scrape::Text FromDisplay(const QString& text);

}  // namespace tavro::app

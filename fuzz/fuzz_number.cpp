#include <cmath>
#include <cstdlib>

#include "scrape/text.h"

using namespace tavro::scrape;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text text(reinterpret_cast<const char*>(data), size);
    const double value = ToNumber(text);
    const Text written = NumberToText(value);
    // A total is written and read back between additions: it must survive the round trip.
    if (std::isfinite(value)) {
        const double back = ToNumber(written);
        if (std::fabs(back - value) > std::fabs(value) * 1e-12) std::abort();
        if (NumberToText(back) != written) std::abort();
    }
    (void)RealToInt(value);
    return 0;
}

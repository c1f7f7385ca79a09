#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "scrape/text.h"

using namespace tavro::scrape;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const Text sought = in.ConsumeRandomLengthString(16);
    const Text delimiter = in.ConsumeRandomLengthString(8);
    const int start = in.ConsumeIntegralInRange<int>(-3, 300);
    const Text text = in.ConsumeRemainingBytesAsString();

    for (const Case c : {Case::Sensitive, Case::Ignore}) {
        const int at = FindText(text, sought, start, c);
        if (at != kNotFound) {
            if (at < 1 || static_cast<size_t>(at) - 1 + sought.size() > text.size()) std::abort();
            if (c == Case::Sensitive && !sought.empty() && text.compare(at - 1, sought.size(), sought) != 0)
                std::abort();
        }
    }
    // Joining the pieces with the delimiter gives the text back, less a trailing delimiter.
    const Pieces pieces = SplitText(text, delimiter);
    if (!delimiter.empty() && !text.empty()) {
        Text joined;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) joined += delimiter;
            joined += pieces[i];
        }
        if (joined != text && joined + delimiter != text) std::abort();
    }
    if (ToUpper(text).size() != text.size() || ToLower(text).size() != text.size()) std::abort();
    if (CompareText(text, sought, Case::Ignore) != -CompareText(sought, text, Case::Ignore)) std::abort();
    if (TextMid(text, start, 7).size() > 7 || TextLeft(text, start).size() > text.size()) std::abort();
    (void)StartsWithIgnoringCase(text, sought);
    return 0;
}

#pragma once

// Byte-string text in code page 936 and the operations all scraping rests on.
// Positions count from 1 and "not found" is -1; a byte of 0x80 or more starts a
// two-byte character, which searching, splitting and case changes step over.

#include <string>
#include <string_view>
#include <vector>

namespace tavro::scrape {

using Text = std::string;
// Views into the text that was split: a split copies no bytes, so the text must outlive them.
using Pieces = std::vector<std::string_view>;

inline constexpr int kNotFound = -1;

int TextLength(std::string_view text);

template <typename... Parts>
Text ConcatText(const Parts&... parts) {
    Text joined;
    joined.reserve((std::string_view(parts).size() + ... + 0));
    (joined.append(std::string_view(parts)), ...);
    return joined;
}

enum class Case { Sensitive, Ignore };

// Negative, zero or positive, comparing character by character; with Case::Ignore
// only single-byte ASCII letters fold, never the second byte of a pair.
int CompareText(std::string_view a, std::string_view b, Case letterCase);

int FindText(std::string_view text, std::string_view sought, int start = 1,
             Case letterCase = Case::Sensitive);

Text TextLeft(std::string_view text, int n);
Text TextRight(std::string_view text, int n);
Text TextMid(std::string_view text, int start, int n);

Pieces SplitText(std::string_view text, std::string_view delimiter);

Text ToUpper(std::string_view text);
Text ToLower(std::string_view text);

// True when `text` begins with `prefix`, ASCII letters folded (the list-box prefix search).
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

double ToNumber(std::string_view text);
Text NumberToText(int value);
Text NumberToText(double value);

Text BytesToText(std::string_view bytes);

int RealToInt(double value);
bool RealEqual(double a, double b);

}  // namespace tavro::scrape

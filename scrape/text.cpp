#include "scrape/text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace tavro::scrape {
namespace {

constexpr unsigned char kFirstLeadByte = 0x80;
constexpr double kRealTolerance = 1e-7;
constexpr int kTotalDigits = 13;
constexpr int kExponentDigits = 3;
constexpr size_t kFalseStartsBeforeMemmem = 16;
constexpr size_t kBytesPerFalseStart = 64;

bool IsLead(char c) {
    return static_cast<unsigned char>(c) >= kFirstLeadByte;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Width of the character that starts at `i`; a lead byte as the last byte stands alone.
size_t CharWidth(std::string_view text, size_t i) {
    return IsLead(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// Positions where a character may start are decided by counting from `from`, but a byte below
// 0x80 always ends a character (it is either a whole one or the second byte of a pair), so
// only the run of high bytes right before a candidate needs counting. `checkedUpTo` is a
// position already known to start a character; it keeps repeated checks linear in total.
bool StartsCharacter(std::string_view text, size_t candidate, size_t& checkedUpTo) {
    size_t runStart = candidate;
    while (runStart > checkedUpTo && IsLead(text[runStart - 1]))
        --runStart;
    const bool aligned = (candidate - runStart) % 2 == 0;
    checkedUpTo = aligned ? candidate : candidate + 1;
    return aligned;
}

// The next place where `sought` occurs from `from` on, byte for byte. Most searches end a
// few hundred bytes on (the next delimiter of a split, a marker in a piece), where a
// first-byte scan beats memmem's set-up; once false starts come thick, memmem takes over,
// which stays linear whatever the page holds.
size_t FindBytes(std::string_view text, std::string_view sought, size_t from) {
    const char* const begin = text.data();
    const char* const last = begin + text.size() - sought.size();  // the last place it fits
    const char* at = begin + from;
    size_t falseStarts = 0;
    while (at <= last) {
        const void* first = std::memchr(at, sought[0], static_cast<size_t>(last - at) + 1);
        if (first == nullptr) return std::string_view::npos;
        at = static_cast<const char*>(first);
        if (sought.size() == 1 ||
            (at[1] == sought[1] && std::memcmp(at + 2, sought.data() + 2, sought.size() - 2) == 0)) {
            return static_cast<size_t>(at - begin);
        }
        ++at;
        const size_t scanned = static_cast<size_t>(at - begin) - from;
        if (++falseStarts > kFalseStartsBeforeMemmem && falseStarts * kBytesPerFalseStart > scanned) {
            const void* hit =
                memmem(at, static_cast<size_t>(begin + text.size() - at), sought.data(), sought.size());
            return hit == nullptr ? std::string_view::npos
                                  : static_cast<size_t>(static_cast<const char*>(hit) - begin);
        }
    }
    return std::string_view::npos;
}

size_t FindExact(std::string_view text, std::string_view sought, size_t from) {
    size_t checkedUpTo = from;
    size_t cursor = from;
    while (cursor + sought.size() <= text.size()) {
        const size_t at = FindBytes(text, sought, cursor);
        if (at == std::string_view::npos) return at;
        if (StartsCharacter(text, at, checkedUpTo)) return at;
        cursor = at + 1;
    }
    return std::string_view::npos;
}

bool MatchesFolded(std::string_view text, size_t at, std::string_view sought) {
    for (size_t k = 0; k < sought.size(); ++k) {
        if (FoldAscii(text[at + k]) != FoldAscii(sought[k])) return false;
    }
    return true;
}

size_t FindFolded(std::string_view text, std::string_view sought, size_t from) {
    for (size_t at = from; at + sought.size() <= text.size(); at += CharWidth(text, at)) {
        if (MatchesFolded(text, at, sought)) return at;
    }
    return std::string_view::npos;
}

Text ChangeCase(std::string_view text, char first, char last, int shift) {
    Text out(text);
    for (size_t i = 0; i < out.size(); i += CharWidth(out, i)) {
        if (out[i] >= first && out[i] <= last) out[i] = static_cast<char>(out[i] + shift);
    }
    return out;
}

// The full-width form of a character, folded to ASCII; 0 for characters that cannot be part
// of a number or the white space before it (only those matter to ToNumber).
char FoldFullWidth(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    if (lead == 0xA1 && trail == 0xA1) return ' ';
    if (lead == 0xA1 && trail == 0xAB) return '~';
    if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) return '*';
    return 0;
}

bool CanBeInNumber(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E' || c == ' ' ||
           (c >= '\t' && c <= '\r');
}

// Folds just the stretch that a number could span, so a long page costs nothing extra.
std::string FoldedNumberStretch(std::string_view text) {
    std::string folded;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (IsLead(c)) {
            if (i + 1 >= text.size()) break;
            c = FoldFullWidth(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            ++i;
        }
        if (c == 0 || !CanBeInNumber(c)) break;
        folded.push_back(c);
    }
    return folded;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int TextLength(std::string_view text) {
    return static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
}

int CompareText(std::string_view a, std::string_view b, Case letterCase) {
    const size_t common = std::min(a.size(), b.size());
    bool secondByte = false;
    for (size_t i = 0; i < common; ++i) {
        char ca = a[i];
        char cb = b[i];
        if (!secondByte && letterCase == Case::Ignore) {
            ca = FoldAscii(ca);
            cb = FoldAscii(cb);
        }
        if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
        secondByte = !secondByte && IsLead(a[i]);
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int FindText(std::string_view text, std::string_view sought, int start, Case letterCase) {
    const size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
    if (from >= text.size()) return kNotFound;
    if (sought.empty()) return 1;
    const size_t at =
        letterCase == Case::Ignore ? FindFolded(text, sought, from) : FindExact(text, sought, from);
    return at == std::string_view::npos ? kNotFound : static_cast<int>(at + 1);
}

Text TextLeft(std::string_view text, int n) {
    if (n <= 0) return {};
    return Text(text.substr(0, static_cast<size_t>(n)));
}

Text TextRight(std::string_view text, int n) {
    if (n <= 0) return {};
    const size_t count = std::min(static_cast<size_t>(n), text.size());
    return Text(text.substr(text.size() - count));
}

Text TextMid(std::string_view text, int start, int n) {
    if (start < 1 || static_cast<size_t>(start) > text.size() || n <= 0) return {};
    return Text(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n)));
}

Pieces SplitText(std::string_view text, std::string_view delimiter) {
    Pieces pieces;
    if (text.empty()) return pieces;
    if (delimiter.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    size_t pieceStart = 0;
    while (pieceStart < text.size()) {
        const size_t at = FindExact(text, delimiter, pieceStart);
        if (at == std::string_view::npos) break;
        pieces.emplace_back(text.substr(pieceStart, at - pieceStart));
        pieceStart = at + delimiter.size();
    }
    if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

Text ToUpper(std::string_view text) {
    return ChangeCase(text, 'a', 'z', 'A' - 'a');
}
Text ToLower(std::string_view text) {
    return ChangeCase(text, 'A', 'Z', 'a' - 'A');
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           CompareText(text.substr(0, prefix.size()), prefix, Case::Ignore) == 0;
}

double ToNumber(std::string_view text) {
    const std::string folded = FoldedNumberStretch(text);
    size_t i = 0;
    while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
    const size_t numberStart = i;
    size_t digits = 0;
    while (i < folded.size() && IsDigit(folded[i]))
        ++i, ++digits;
    if (i < folded.size() && folded[i] == '.') {
        ++i;
        while (i < folded.size() && IsDigit(folded[i]))
            ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    size_t end = i;
    bool exponentUp = true;
    if (i < folded.size() && (folded[i] == 'e' || folded[i] == 'E')) {
        size_t j = i + 1;
        if (j < folded.size() && (folded[j] == '+' || folded[j] == '-')) exponentUp = folded[j++] == '+';
        const size_t exponentDigits = j;
        while (j < folded.size() && IsDigit(folded[j]))
            ++j;
        if (j > exponentDigits) end = j;
    }
    double value = 0.0;
    const auto [ptr, error] = std::from_chars(folded.data() + numberStart, folded.data() + end, value);
    (void)ptr;
    if (error == std::errc::result_out_of_range) {
        value = exponentUp ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

Text NumberToText(int value) {
    return std::to_string(value);
}

Text NumberToText(double value) {
    // to_chars follows the C formatting rule without depending on the process's locale.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, kTotalDigits);
    Text text(buffer, result.ptr);
    const size_t e = text.find('e');
    if (e != Text::npos && e + 2 <= text.size()) {
        const size_t digitsAt = e + 2;
        const size_t have = text.size() - digitsAt;
        if (have < kExponentDigits) text.insert(digitsAt, kExponentDigits - have, '0');
    }
    return text;
}

Text BytesToText(std::string_view bytes) {
    const void* zero = std::memchr(bytes.data(), 0, bytes.size());
    if (zero == nullptr) return Text(bytes);
    return Text(bytes.data(), static_cast<const char*>(zero));
}

int RealToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

bool RealEqual(double a, double b) {
    return !(std::fabs(a - b) > kRealTolerance);
}

}  // namespace tavro::scrape

// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/WholeNumber.h"

#include <cstdint>
#include <string_view>

#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand {

namespace {

constexpr int kOverflow = 6;

[[noreturn]] void Mismatch() {
    throw platform::RuntimeError(platform::kTypeMismatch);
}
[[noreturn]] void Overflow() {
    throw platform::RuntimeError(kOverflow);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int FitInteger(std::int64_t value) {
    if (value < -32768 || value > 32767) Overflow();
    return static_cast<int>(value);
}

// "&H..." and "&O...": the digits after the marker.
int RadixNumber(std::string_view digits, int radix) {
    if (digits.empty()) Mismatch();
    std::uint64_t value = 0;
    for (char c : digits) {
        int d;
        const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (IsDigit(c))
            d = c - '0';
        else if (radix == 16 && lower >= 'a' && lower <= 'f')
            d = lower - 'a' + 10;
        else
            Mismatch();
        if (d >= radix) Mismatch();
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFull) Overflow();
    }
    if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return FitInteger(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// A decimal number: digits, point, exponent. The digits are kept as text so that the rounding
// of a half is exact.
int DecimalNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::string digits;         // every mantissa digit, point removed
    long long beforePoint = 0;  // how many of them stand before the point
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            digits += c;
            if (!point) ++beforePoint;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) Mismatch();

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        if (i >= text.size() || !IsDigit(text[i])) Mismatch();
        for (; i < text.size() && IsDigit(text[i]); ++i)
            if (exponent < 1000000) exponent = exponent * 10 + (text[i] - '0');
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) Mismatch();

    // Leading zeros carry no value.
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    digits.erase(0, first);
    beforePoint -= static_cast<long long>(first);

    const long long wholePlaces = beforePoint + exponent;  // digits of the whole part
    if (wholePlaces > 6) Overflow();
    std::int64_t whole = 0;
    for (long long k = 0; k < wholePlaces; ++k)
        whole = whole * 10 + (k < static_cast<long long>(digits.size())
                                  ? digits[static_cast<std::size_t>(k)] - '0'
                                  : 0);

    // The fraction decides the rounding: above a half up, below down, a half to even.
    if (wholePlaces >= 0 && wholePlaces < static_cast<long long>(digits.size())) {
        const std::string_view fraction =
            std::string_view(digits).substr(static_cast<std::size_t>(wholePlaces));
        const bool moreAfterFirst = fraction.find_first_not_of('0', 1) != std::string_view::npos;
        if (fraction[0] > '5' || (fraction[0] == '5' && (moreAfterFirst || whole % 2 == 1)))
            ++whole;
    }
    return FitInteger(negative ? -whole : whole);
}

}  // namespace

int ToWholeNumber(const std::string& text) {
    const std::string trimmed = platform::Trim(text, true);
    if (trimmed.size() >= 2 && trimmed[0] == '&') {
        const char marker = trimmed[1];
        if (marker == 'h' || marker == 'H')
            return RadixNumber(std::string_view(trimmed).substr(2), 16);
        if (marker == 'o' || marker == 'O')
            return RadixNumber(std::string_view(trimmed).substr(2), 8);
    }
    return DecimalNumber(trimmed);
}

}  // namespace movrand

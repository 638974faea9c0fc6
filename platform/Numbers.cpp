#include "platform/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cmath>
#include <limits>

#include "platform/Exception.h"

namespace pw {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <typename Int>
bool TryDecimal(std::string_view text, Int& value) {
    if (text.empty()) return false;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    // Accumulate towards the negative side so that the minimum value is representable.
    Int result = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        const Int digit = c - '0';
        if (result < (std::numeric_limits<Int>::min() + digit) / 10) return false;
        result = result * 10 - digit;
    }
    if (!negative) {
        if (result == std::numeric_limits<Int>::min()) return false;
        result = -result;
    }
    value = result;
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool TryDecimalToInt32(std::string_view text, int32_t& value) { return TryDecimal(text, value); }
bool TryDecimalToInt64(std::string_view text, int64_t& value) { return TryDecimal(text, value); }

bool TryStrToInt(std::string_view text, int32_t& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false;
    std::string_view sign;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        sign = text.substr(0, 1);
        text.remove_prefix(1);
    }
    size_t prefix = 0;
    if (text.starts_with("0x") || text.starts_with("0X")) prefix = 2;
    else if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) prefix = 1;
    if (prefix == 0) {
        // Keep the sign in front of the digits so the whole signed range is accepted.
        return TryDecimal(std::string(sign) + std::string(text), value);
    }
    text.remove_prefix(prefix);
    if (text.empty()) return false;
    uint64_t result = 0;
    for (char c : text) {
        const int digit = HexValue(c);
        if (digit < 0) return false;
        result = result * 16 + static_cast<uint64_t>(digit);
        if (result > 0xFFFFFFFFull) return false;
    }
    uint32_t bits = static_cast<uint32_t>(result);
    if (negative) bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
}

int32_t StrToInt(std::string_view text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) throw EConvertError(FillMessage(msg::kInvalidInteger, text));
    return value;
}

bool TryStrToFloat(std::string_view text, double& value) {
    text = TrimSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Validate the accepted syntax first: from_chars alone would also take "inf", "nan" and hex floats.
    size_t i = 0, digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < text.size() && IsDigit(text[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != text.size()) return false;
    // from_chars takes neither "+" in the exponent's place nor a leading "+"; strip an exponent "+".
    std::string plain;
    plain.reserve(text.size());
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '+' && k > 0 && (text[k - 1] == 'e' || text[k - 1] == 'E')) continue;
        plain.push_back(text[k]);
    }
    double result = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (end != plain.data() + plain.size()) return false;
    if (ec == std::errc::result_out_of_range) {
        // Overflow is an error; underflow gives zero, as the platform's conversion does.
        bool allZero = true;
        for (char c : plain) {
            if (c == 'e' || c == 'E') break;
            if (c >= '1' && c <= '9') allZero = false;
        }
        const size_t e = plain.find_first_of("eE");
        const bool negativeExponent = e != std::string::npos && e + 1 < plain.size() && plain[e + 1] == '-';
        if (allZero || negativeExponent) result = 0;
        else return false;
    } else if (ec != std::errc()) {
        return false;
    }
    value = negative ? -result : result;
    return true;
}

double StrToFloat(std::string_view text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) throw EConvertError(FillMessage(msg::kInvalidFloat, text));
    return value;
}

namespace {
// std::to_chars never consults the locale, unlike printf.
std::string ToChars(double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

void DropTrailingZeros(std::string& text) {
    if (text.find('.') == std::string::npos) return;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
}
}  // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 1, 18);
    // Scientific digits of the value rounded to `precision` significant digits give its decimal exponent.
    const std::string sci = ToChars(value, std::chars_format::scientific, precision - 1);
    const size_t ePos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    const bool zero = value == 0;
    auto scientific = [&]() {
        std::string mantissa = sci.substr(0, ePos);
        DropTrailingZeros(mantissa);
        return mantissa + "E" + (exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
    };
    if (!zero && exponent >= precision) return scientific();
    if (format == ffGeneral) {
        if (!zero && std::fabs(value) < 0.00001) return scientific();
        std::string out = ToChars(value, std::chars_format::fixed, std::max(0, precision - 1 - exponent));
        DropTrailingZeros(out);
        if (out == "-0") out = "0";
        return out;
    }
    return ToChars(value, std::chars_format::fixed, std::clamp(digits, 0, 18));
}

namespace {
// Converts an already integral value, saturating at the ends of the 64-bit range (NaN gives 0).
int64_t SaturateToInt64(long double integral) {
    if (std::isnan(integral)) return 0;
    if (integral >= 9223372036854775807.0L) return std::numeric_limits<int64_t>::max();
    if (integral <= -9223372036854775808.0L) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(integral);
}
}  // namespace

int64_t RoundHalfEven(long double value) {
    const long double lower = std::floor(value);
    const long double diff = value - lower;
    long double result = lower;
    if (diff > 0.5L) result = lower + 1;
    else if (diff == 0.5L) result = std::fmod(lower, 2.0L) == 0 ? lower : lower + 1;
    return SaturateToInt64(result);
}

int64_t RoundHalfAwayFromZero(long double value) {
    return SaturateToInt64(value < 0 ? -std::floor(-value + 0.5L) : std::floor(value + 0.5L));
}

}  // namespace pw

#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/errors.h"

namespace core {

namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string FloatText(double v) {
    if (v == 0.0) return "0";
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    // 15 significant digits in scientific form, then decide the layout from the exponent.
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;  // as "%.14e", faster
    std::string s(buf, end);
    bool neg = s[0] == '-';
    if (neg) s.erase(0, 1);
    auto epos = s.find('e');
    int exp10 = std::atoi(s.c_str() + epos + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, epos - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = neg ? "-" : "";
    if (exp10 < -4 || exp10 >= 15) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += "E";
        if (exp10 < 0) out += "-";
        out += std::to_string(std::abs(exp10));
        return out;
    }
    if (exp10 < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-exp10 - 1), '0');
        out += digits;
        return out;
    }
    auto intDigits = static_cast<size_t>(exp10 + 1);
    if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
    } else {
        out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
    return out;
}

std::string IntText(long long v) { return std::to_string(v); }

std::string FixedText(double v, int width, int decimals) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, v);
    return buf;
}

std::string Sci23Text(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", v);
    std::string s(buf);
    std::string sign = s[0] == '-' ? "-" : " ";
    if (s[0] == '-') s.erase(0, 1);
    auto epos = s.find('E');
    std::string mant = s.substr(0, epos);
    int e = std::atoi(s.c_str() + epos + 1);
    char ebuf[16];
    std::snprintf(ebuf, sizeof ebuf, "E%c%04d", e < 0 ? '-' : '+', std::abs(e));
    return sign + mant + ebuf;
}

long long RoundHalfEven(double v) { return static_cast<long long>(std::nearbyint(v)); }

bool TryParseDouble(std::string_view text, double& out) {
    auto t = TrimBlanks(text);
    if (t.empty()) return false;
    if (t.front() == '+') t.remove_prefix(1);
    if (t.empty()) return false;
    // Only plain decimal text: no "nan", "inf" or hexadecimal forms.
    char c0 = t.front() == '-' && t.size() > 1 ? t[1] : t.front();
    if (!((c0 >= '0' && c0 <= '9') || c0 == '.')) return false;
    const char* end = t.data() + t.size();
    auto [p, ec] = std::from_chars(t.data(), end, out, std::chars_format::general);
    return ec == std::errc() && p == end;
}

bool TryParseInt(std::string_view text, long long& out) {
    auto t = TrimBlanks(text);
    if (t.empty()) return false;
    if (t.front() == '+') t.remove_prefix(1);
    if (t.empty() || t.front() == '+') return false;
    const char* end = t.data() + t.size();
    auto [p, ec] = std::from_chars(t.data(), end, out);
    return ec == std::errc() && p == end;
}

double ParseDouble(std::string_view text) {
    double v = 0;
    if (!TryParseDouble(text, v))
        throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
    return v;
}

long long ParseInt(std::string_view text) {
    long long v = 0;
    if (!TryParseInt(text, v))
        throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
    return v;
}

}  // namespace core

#include "runtime/conversions.hpp"

#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/runtime_error.hpp"

namespace bolvenda::runtime {

std::string single_to_text(float value) {
    if (std::isnan(value) || std::isinf(value)) throw RuntimeError::overflow();
    if (value == std::floor(value) && std::fabs(value) < 1e15f) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(value));
        // "-0" is still zero.
        return std::string(buffer) == "-0" ? "0" : buffer;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
    std::string text(buffer);
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return text;
}

namespace {

bool skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Reads the characters of the number with the skippable ones removed.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) {}
    char peek() {
        while (pos_ < text_.size() && skipped(text_[pos_])) ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void next() { ++pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

double read_radix(Cursor& in, int radix) {
    double value = 0;
    for (;;) {
        char c = in.peek();
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (radix == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (radix == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix) return value;
        value = value * radix + digit;
        in.next();
    }
}

}  // namespace

double text_to_number(std::string_view text) {
    Cursor in(text);
    if (in.peek() == '&') {
        in.next();
        char kind = in.peek();
        if (kind == 'h' || kind == 'H') {
            in.next();
            return read_radix(in, 16);
        }
        if (kind == 'o' || kind == 'O') in.next();
        return read_radix(in, 8);
    }
    std::string number;
    if (in.peek() == '+' || in.peek() == '-') {
        number += in.peek();
        in.next();
    }
    bool digits = false;
    while (in.peek() >= '0' && in.peek() <= '9') {
        number += in.peek();
        in.next();
        digits = true;
    }
    if (in.peek() == '.') {
        number += '.';
        in.next();
        while (in.peek() >= '0' && in.peek() <= '9') {
            number += in.peek();
            in.next();
            digits = true;
        }
    }
    if (!digits) return 0;
    char e = in.peek();
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        std::string exponent = "e";
        in.next();
        if (in.peek() == '+' || in.peek() == '-') {
            exponent += in.peek();
            in.next();
        }
        bool exponent_digits = false;
        while (in.peek() >= '0' && in.peek() <= '9') {
            exponent += in.peek();
            in.next();
            exponent_digits = true;
        }
        if (exponent_digits) number += exponent;
    }
    double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) throw RuntimeError::overflow();
    return value;
}

float to_single(double value) {
    if (std::isnan(value)) throw RuntimeError::invalid_procedure_call();
    // Half a unit in the last place past the largest single: from there on, rounding
    // to nearest gives infinity.
    constexpr double limit = std::numeric_limits<float>::max() + 0x1p103;
    if (std::fabs(value) >= limit) throw RuntimeError::overflow();
    return static_cast<float>(value);
}

std::int32_t to_int32(float value) {
    if (std::isnan(value)) throw RuntimeError::overflow();
    double rounded = std::nearbyint(static_cast<double>(value));  // ties to even by default
    if (rounded < -2147483648.0 || rounded > 2147483647.0) throw RuntimeError::overflow();
    return static_cast<std::int32_t>(rounded);
}

float whole_part(float value) { return std::floor(value); }

void add_single(float& target, float a, float b) {
    // A sum's result says all that the floating-point status flags would (WebAssembly keeps
    // none): NaN where the operation was invalid, infinity where it overflowed. An addition
    // never divides by zero.
    target = a + b;
    if (std::isnan(target)) throw RuntimeError::invalid_procedure_call();
    if (std::isinf(target)) throw RuntimeError::overflow();
}

}  // namespace bolvenda::runtime

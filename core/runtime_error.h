// The program's run-time error: every checked failure (a table index out of
// bounds, a non-finite floating-point result, a 16-bit overflow) throws one
// RuntimeError. The window layer catches it around every event, reports it in a
// message box and ends the program.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace palmos {

class RuntimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void raiseSubscriptOutOfRange();
[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseDivisionByZero();
[[noreturn]] void raiseInvalidOperation();
[[noreturn]] void raiseInvalidPropertyValue();

// A floating-point result passes only when it is finite: an infinity is an
// overflow, a NaN an invalid operation.
inline double checked(double value) {
    if (std::isfinite(value)) [[likely]] {
        return value;
    }
    if (std::isnan(value)) {
        raiseInvalidOperation();
    }
    raiseOverflow();
}

inline double checkedDivide(double numerator, double denominator) {
    if (denominator == 0.0) {
        raiseDivisionByZero();
    }
    return checked(numerator / denominator);
}

// Counters are 16-bit signed integers whose arithmetic is overflow-checked.
inline std::int16_t checkedAdd16(std::int16_t a, long b) {
    const long sum = static_cast<long>(a) + b;
    if (sum < INT16_MIN || sum > INT16_MAX) {
        raiseOverflow();
    }
    return static_cast<std::int16_t>(sum);
}

}  // namespace palmos

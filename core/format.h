// Number formatting with the patterns "0.00" and "0": a fixed number of
// decimals, at least one integer digit, a minus sign only for values that do
// not round to zero.
#pragma once

#include <string>

namespace palmos {

std::string formatNumber(double value);  // "0.00"
std::string formatWhole(double value);   // "0"

}  // namespace palmos

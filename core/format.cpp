#include "core/format.h"

#include <cstdio>

namespace palmos {

namespace {

std::string formatFixed(double value, int decimals) {
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string result(static_cast<std::size_t>(length), '\0');
    std::snprintf(result.data(), result.size() + 1, "%.*f", decimals, value);
    // A negative value that rounds to zero prints as zero, without its sign.
    if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos) {
        result.erase(0, 1);
    }
    return result;
}

}  // namespace

std::string formatNumber(double value) {
    return formatFixed(value, 2);
}
std::string formatWhole(double value) {
    return formatFixed(value, 0);
}

}  // namespace palmos

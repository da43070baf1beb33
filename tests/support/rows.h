// Data-driven test rows carry a name; GoogleTest prints a row by its name.
#pragma once

#include <ostream>
#include <string>

namespace palmos {

template <class Row>
requires requires(const Row& row) {
    std::string(row.name);
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// Names each instantiated row after its name field.
inline constexpr auto kRowName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace palmos

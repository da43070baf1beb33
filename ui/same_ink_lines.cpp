#include "ui/same_ink_lines.h"

#include <algorithm>

namespace ui {

namespace {

constexpr std::size_t kKept = 512;

}  // namespace

bool SameInkLines::sameInk(const DrawnLine& line) const {
    return qAlpha(line.colour) == 255 && (lines_.empty() || (lines_.front().colour == line.colour &&
                                                             lines_.front().width == line.width));
}

bool SameInkLines::contains(const DrawnLine& line) {
    const auto from =
        lines_.begin() + static_cast<std::ptrdiff_t>(std::min(searchFrom_, lines_.size()));
    auto found = std::find(from, lines_.end(), line);
    if (found == lines_.end()) {
        found = std::find(lines_.begin(), from, line);
        if (found == from) {
            return false;
        }
    }
    searchFrom_ = static_cast<std::size_t>(found - lines_.begin()) + 1;
    return true;
}

void SameInkLines::add(const DrawnLine& line) {
    if (lines_.size() < kKept) {
        lines_.push_back(line);
    }
}

void SameInkLines::clear() {
    lines_.clear();
    searchFrom_ = 0;
}

}  // namespace ui

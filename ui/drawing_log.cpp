#include "ui/drawing_log.h"

#include <functional>
#include <utility>

namespace ui {

std::size_t DrawingLog::Hash::operator()(const SurfaceOp& op) const {
    std::size_t seed = std::hash<int>()(static_cast<int>(op.kind));
    const auto mix = [&seed](std::size_t value) {
        seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    for (const double value : {op.x1, op.y1, op.x2, op.y2}) {
        mix(std::hash<double>()(value));
    }
    mix(op.colour);
    mix(static_cast<std::size_t>(op.drawWidth));
    return seed;
}

void DrawingLog::add(const SurfaceOp& op) {
    if (qAlpha(op.colour) == 255) {
        const auto [found, added] = latest_.try_emplace(op, ops_.size());
        if (!added) {
            live_[found->second] = false;
            ++dead_;
            found->second = ops_.size();
        }
    }
    ops_.push_back(op);
    live_.push_back(true);
    if (dead_ > 1024 && dead_ > ops_.size() / 2) {
        dropDead();
    }
}

// The dropped copies are taken out once they are more than half of the log.
void DrawingLog::dropDead() {
    std::vector<SurfaceOp> live;
    live.reserve(ops_.size() - dead_);
    forEach([&live](const SurfaceOp& op) { live.push_back(op); });
    ops_ = std::move(live);
    live_.assign(ops_.size(), true);
    dead_ = 0;
    latest_.clear();
    for (std::size_t i = 0; i < ops_.size(); ++i) {
        if (qAlpha(ops_[i].colour) == 255) {
            latest_[ops_[i]] = i;
        }
    }
}

}  // namespace ui

#include "ui/design_layout.h"

#include <algorithm>

#include "ui/twips.h"

namespace ui {

namespace {

void applyDesign(QWidget* control, const Design& design) {
    control->setGeometry(twipsToPixels(design.left), twipsToPixels(design.top),
                         twipsToPixels(design.width), twipsToPixels(design.height));
    if (design.font.face != Face::Inherit || design.font.points > 0.0) {
        control->setFont(makeFont(design.font));
    }
}

}  // namespace

DesignLayout::DesignLayout(QWidget& window, const Font& font, int clientWidth, int clientHeight)
    : window_(window), font_(font), designWidth_(clientWidth), designHeight_(clientHeight) {}

void DesignLayout::place(QWidget* control, const Design& design) {
    designs_.emplace_back(control, design);
    applyDesign(control, design);
    if (!design.caption.isEmpty()) {
        control->setAccessibleName(design.caption);
    }
    control->setVisible(design.visible);
    if (design.tabIndex >= 0) {
        tabOrder_.emplace_back(design.tabIndex, control);
    }
}

std::vector<QWidget*> DesignLayout::inTabOrder() const {
    std::vector<std::pair<int, QWidget*>> order = tabOrder_;
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> controls;
    controls.reserve(order.size());
    for (const auto& entry : order) {
        controls.push_back(entry.second);
    }
    return controls;
}

void DesignLayout::relayout(bool keepSize) {
    window_.setFont(makeFont(font_));
    for (const auto& [control, design] : designs_) {
        applyDesign(control, design);
    }
    if (!keepSize) {
        window_.resize(twipsToPixels(designWidth_), twipsToPixels(designHeight_));
    }
}

}  // namespace ui

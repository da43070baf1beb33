#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "ui/zoom.h"

namespace ui {

namespace {

QScreen* screen() {
    return QGuiApplication::primaryScreen();
}

}  // namespace

double twipsPerPixel() {
    const double dpi = screen() != nullptr ? screen()->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0) / zoom();
}

int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

double screenWidth() {
    return screen()->geometry().width() * twipsPerPixel();
}
double screenHeight() {
    return screen()->geometry().height() * twipsPerPixel();
}

}  // namespace ui

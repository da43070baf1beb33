// The instruments' captions, menu items and window titles, in English and
// Greek.
#pragma once

#include <QString>

namespace palmos {

enum class InstrumentCaption {
    SpaceTimeDiagram,
    PointProbe,
    MeasuredRatios,
    SavePicture,
    CopyData,
    PressStartFirst,
    Detach,
    Dock,
};

QString instrumentCaption(InstrumentCaption caption, bool english);

}  // namespace palmos

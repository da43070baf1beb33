// The instruments' texts as Qt strings: their rows of the caption table.
#pragma once

#include <QString>

#include "core/captions.h"

namespace palmos {

inline QString instrumentCaption(Caption id, bool english) {
    return QString::fromUtf8(caption(id, english));
}

}  // namespace palmos

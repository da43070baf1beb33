// A scroll area whose parts a screen reader names: the area, its viewport,
// the page it scrolls, its two bars and the boxes Qt keeps them in all carry
// the name of what they show.
#pragma once

#include <QScrollArea>
#include <QScrollBar>
#include <QString>

namespace palmos {

inline void nameScrollArea(QScrollArea& area, const QString& name) {
    for (QWidget* part :
         {static_cast<QWidget*>(&area), area.viewport(), area.widget(),
          static_cast<QWidget*>(area.verticalScrollBar()),
          static_cast<QWidget*>(area.horizontalScrollBar()),
          area.verticalScrollBar()->parentWidget(), area.horizontalScrollBar()->parentWidget()}) {
        if (part != nullptr) {
            part->setAccessibleName(name);
        }
    }
}

}  // namespace palmos

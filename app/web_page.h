// What the web edition adds to the program (built only there): what its
// page may ask of it for its check, and a guard against Qt's own menus that
// wait for a choice.
#pragma once

namespace palmos {

// A scroll bar's right-click opens Qt's own menu (scroll here, top,
// bottom...) and waits for the choice in an event loop of its own, which the
// page's only thread cannot run: the page would hang. In the browser a
// scroll bar has no such menu. The same filter counts the frames the
// program's windows draw, which the page's check reads.
void installPageFilter();

}  // namespace palmos

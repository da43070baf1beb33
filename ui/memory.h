// How the program's memory is handed back. The windows' pictures (backing
// stores, the drawing surfaces, grabbed windows) are megabytes each and are
// made and dropped at every zoom, resize and picture saved. Once such a
// block is freed, glibc's allocator raises the size from which a block gets
// pages of its own to that block's size, and from then on keeps freed
// pictures inside its heap, where the next ones, a little larger or
// smaller, seldom fit the gaps: a session's resident memory rose by a third
// over what it held.
#pragma once

class QWidget;

namespace ui {

// Once `window` is closed (hidden by the program or through its title bar),
// lets go of its native window and with it of the picture of the window
// that Qt keeps for painting (at 4K and zoom 4, 30 MB a window). Qt makes
// both again when the window is shown.
void releaseWhenClosed(QWidget* window);

// Gives blocks of 256 KiB and more pages of their own, returned to the
// system as soon as they are freed. Call it first thing in main. Where the
// C library is not glibc, it does nothing.
void returnLargeBlocksToTheSystem();

}  // namespace ui

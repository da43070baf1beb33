// The far end of a string, point 0: free to move (zero slope) or held fixed.
#pragma once

namespace palmos {

enum class EndMode { Free, Fixed };

}  // namespace palmos

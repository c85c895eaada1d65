// Jobs run side by side: the calling thread and up to workers - 1 threads of
// Qt's global thread pool take them one at a time until none is left; the
// call returns when every job has run. A job learns which worker runs it
// (0 the calling thread), so that a worker can gather its jobs' results in
// a place of its own. A job must touch nothing another worker or the
// user-interface thread uses meanwhile. With the pool's maximum thread count
// at 1, the calling thread runs every job itself, in order.
#pragma once

#include <cstddef>
#include <functional>

namespace platform {

void RunSideBySide(std::size_t count, std::size_t workers,
                   const std::function<void(std::size_t job, std::size_t worker)>& run);

}  // namespace platform

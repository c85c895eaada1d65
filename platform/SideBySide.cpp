#include "platform/SideBySide.h"

#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <memory>

namespace platform {

namespace {

// Shared with the pool's tasks, which may start after every job was taken and the call returned: they
// then find none left and touch nothing of the caller's.
struct Work {
    std::function<void(std::size_t, std::size_t)> run;
    std::size_t count = 0;
    std::atomic<std::size_t> next{0};
    QSemaphore finished;

    void Run(std::size_t worker) {
        for (std::size_t i; (i = next.fetch_add(1)) < count;) {
            run(i, worker);
            finished.release();
        }
    }
};

}  // namespace

void RunSideBySide(std::size_t count, std::size_t workers,
                   const std::function<void(std::size_t job, std::size_t worker)>& run) {
    QThreadPool& pool = *QThreadPool::globalInstance();
    const std::size_t helpers = std::min({count, workers, static_cast<std::size_t>(std::max(pool.maxThreadCount(), 1))});
    if (helpers <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            run(i, 0);
        return;
    }
    auto work = std::make_shared<Work>();
    work->run = run;
    work->count = count;
    for (std::size_t worker = 1; worker < helpers; ++worker)
        pool.start([work, worker] { work->Run(worker); });
    work->Run(0);
    work->finished.acquire(static_cast<int>(count));
}

}  // namespace platform

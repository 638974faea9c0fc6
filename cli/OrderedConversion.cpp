#include "cli/OrderedConversion.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace cli {

void ConvertInOrder(const std::vector<std::string>& paths, int jobs, const TConvertOne& convert,
                    const TCommitOne& commit) {
    const size_t count = paths.size();
    const size_t workers = std::min(count, static_cast<size_t>(std::max(jobs, 1)));
    if (workers <= 1) {
        kp::TkpPDFDocument document;
        for (size_t i = 0; i < count; ++i) commit(i, convert(document, paths[i]));
        return;
    }

    const size_t window = workers * kResultsAheadPerWorker;
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::optional<TDocumentResult>> results(count);
    size_t nextToTake = 0;
    size_t committed = 0;
    bool stopping = false;  // set when the committing loop ends, however it ends

    auto work = [&] {
        kp::TkpPDFDocument document;
        for (;;) {
            size_t index = 0;
            {
                std::unique_lock guard(lock);
                changed.wait(guard, [&] { return stopping || nextToTake >= count || nextToTake < committed + window; });
                if (stopping || nextToTake >= count) return;
                index = nextToTake++;
            }
            TDocumentResult result = convert(document, paths[index]);
            {
                std::lock_guard guard(lock);
                results[index] = std::move(result);
            }
            changed.notify_all();
        }
    };
    std::vector<std::jthread> pool;
    // Destroyed before the pool joins its threads: a commit that throws must not leave workers waiting for
    // room that will never come.
    struct Stop {
        std::mutex& lock;
        std::condition_variable& changed;
        bool& stopping;
        ~Stop() {
            {
                std::lock_guard guard(lock);
                stopping = true;
            }
            changed.notify_all();
        }
    } stop{lock, changed, stopping};
    for (size_t w = 0; w < workers; ++w) pool.emplace_back(work);

    for (size_t i = 0; i < count; ++i) {
        TDocumentResult result;
        {
            std::unique_lock guard(lock);
            changed.wait(guard, [&] { return results[i].has_value(); });
            result = std::move(*results[i]);
            results[i].reset();
        }
        commit(i, std::move(result));
        {
            std::lock_guard guard(lock);
            committed = i + 1;
        }
        changed.notify_all();
    }
}

}  // namespace cli

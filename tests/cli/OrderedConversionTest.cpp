#include "cli/OrderedConversion.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace cli {
namespace {

std::vector<std::string> Paths(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back("doc" + std::to_string(i));
    return paths;
}

// Early documents are the slow ones, so workers finish out of order.
TDocumentResult SlowFirst(kp::TkpPDFDocument&, const std::string& path) {
    const int index = std::stoi(path.substr(3));
    std::this_thread::sleep_for(std::chrono::milliseconds(index < 4 ? 20 - 5 * index : 0));
    return TDocumentResult{true, path, ""};
}

TEST(OrderedConversion, CommitsInPathOrderWhateverTheWorkers) {
    const std::vector<std::string> paths = Paths(40);
    for (const int jobs : {1, 3, 8, 100}) {
        std::vector<std::string> committed;
        ConvertInOrder(paths, jobs, SlowFirst, [&](size_t index, TDocumentResult&& result) {
            EXPECT_EQ(result.Text, paths[index]);
            committed.push_back(result.Text);
        });
        EXPECT_EQ(committed, paths) << jobs << " workers";
    }
    ConvertInOrder({}, 4, SlowFirst, [](size_t, TDocumentResult&&) { ADD_FAILURE() << "nothing to commit"; });
}

TEST(OrderedConversion, ACommitThatThrowsEndsTheRunWithoutLeavingWorkersWaiting) {
    std::atomic<int> converted = 0;
    auto convert = [&](kp::TkpPDFDocument& document, const std::string& path) {
        ++converted;
        return SlowFirst(document, path);
    };
    EXPECT_THROW(ConvertInOrder(Paths(200), 4, convert,
                                [](size_t index, TDocumentResult&&) {
                                    if (index == 2) throw std::runtime_error("disk full");
                                }),
                 std::runtime_error);
    EXPECT_LT(converted.load(), 200) << "the workers stopped taking documents";
}

}  // namespace
}  // namespace cli

#pragma once
// Converting many documents at once while handing the results over in argument order, so that the output
// of a run does not depend on how many workers it used.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "engine/elements/ExProPDFDocument.h"

namespace cli {

struct TDocumentResult {
    bool Converted = false;
    std::string Text;   // the bytes to write when converted
    std::string Error;  // the exception's message when not
};

// Converts one path with the given document (each worker has its own).
using TConvertOne = std::function<TDocumentResult(kp::TkpPDFDocument& document, const std::string& path)>;
// Receives the result of paths[index], on the calling thread, for index 0, 1, 2, ... in turn.
using TCommitOne = std::function<void(size_t index, TDocumentResult&& result)>;

// At most this many finished results wait per worker for their turn: it bounds the memory that one slow
// document can make the others hold.
inline constexpr size_t kResultsAheadPerWorker = 2;

// Converts paths with up to `jobs` workers and commits the results in order. convert must not throw.
void ConvertInOrder(const std::vector<std::string>& paths, int jobs, const TConvertOne& convert,
                    const TCommitOne& commit);

}  // namespace cli

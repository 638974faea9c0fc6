#include "engine/filters/FilterErrors.h"

namespace kp::filters {

void RaiseDecodedSizeLimit(uint64_t limit) {
    throw EDecodedSizeError(pw::FillMessage(msg::kDecodedSizeLimit, static_cast<int64_t>(limit)));
}

}  // namespace kp::filters

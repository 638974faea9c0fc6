#include "platform/Screen.h"

#include <atomic>

namespace pw {
namespace {
std::atomic<int> gPixelsPerInch{96};
}  // namespace

int PixelsPerInch() { return gPixelsPerInch.load(std::memory_order_relaxed); }

void SetPixelsPerInch(int pixelsPerInch) {
    if (pixelsPerInch > 0) gPixelsPerInch.store(pixelsPerInch, std::memory_order_relaxed);
}

}  // namespace pw

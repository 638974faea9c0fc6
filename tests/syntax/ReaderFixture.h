#pragma once
// A reader over an in-memory copy of some PDF text.

#include <memory>
#include <string_view>

#include "engine/syntax/StreamReader.h"

namespace kp::test {

struct ReaderOver {
    explicit ReaderOver(std::string_view text, int32_t serial = 7) : source(text), reader(serial, &source) {}
    pw::TMemoryStream source;
    TkpPDFStreamReader reader;
};

}  // namespace kp::test

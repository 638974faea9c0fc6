// Fuzz target: the object parser and the token readers over an in-memory source. Every exception of the
// engine is an acceptable outcome; crashes, leaks, hangs and undefined behaviour are not.
#include <cstdint>
#include <exception>

#include "engine/syntax/StreamReader.h"

namespace {

// The first byte picks the entry point, so that every reader operation sees arbitrary input.
void Exercise(kp::TkpPDFStreamReader& reader, uint8_t mode) {
    switch (mode % 6) {
        case 0:
            // Object after object, as a document body or an object stream is read.
            for (int i = 0; i < 64 && reader.PeekByte() != kp::kEndOfData; ++i) {
                const int64_t before = reader.Position();
                if (!reader.ReadObject()) reader.ReadByte();
                if (reader.Position() == before) reader.ReadByte();
            }
            break;
        case 1: reader.ReadPDFDictionary(); break;
        case 2: reader.ReadPDFArray(); break;
        case 3: reader.ReadPDFString(); break;
        case 4:
            for (int i = 0; i < 64 && reader.PeekByte() != kp::kEndOfData; ++i) {
                reader.PeekToken();
                reader.ReadToken();
            }
            break;
        case 5: {
            auto object = reader.ReadObject();
            reader.ReadStreamData(mode >> 3, 1, 0);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    pw::TMemoryStream source(std::vector<uint8_t>(data + 1, data + size));
    kp::TkpPDFStreamReader reader(1, &source);
    try {
        Exercise(reader, data[0]);
    } catch (const std::exception&) {
        // Bad input is reported by exceptions; that is the expected outcome.
    }
    return 0;
}

#pragma once
// What the reader needs of a security handler to decrypt strings and streams while it parses.
// The security layer implements it; the document attaches it to the reader once the encryption
// dictionary has been read. The reader never owns it.

#include <cstdint>
#include <string>

#include "platform/Streams.h"

namespace kp {

class IkpPDFDecryptor {
public:
    virtual ~IkpPDFDecryptor() = default;
    // Decrypts the bytes of a string in place, keyed by the object that holds it.
    virtual void DecryptString(std::string& bytes, int32_t objectNumber, int32_t generation) = 0;
    // Decrypts the whole buffer in place, keyed by the stream's object.
    virtual void DecryptStreamData(pw::TMemoryStream& data, int32_t objectNumber, int32_t generation) = 0;
};

}  // namespace kp

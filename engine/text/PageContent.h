#pragma once
// Decoding one content stream, shared by ReadContentStream and the plain-text output path.

#include <memory>

#include "engine/document/ObjectStore.h"
#include "platform/Streams.h"

namespace kp {

// The decoded data of a content stream: its /Filter (resolved through the store when indirect) applied,
// /DecodeParms not. A stream whose data were never read decodes to nothing.
std::unique_ptr<pw::TMemoryStream> DecodeContentStream(const TkpPDFObjectStore& store, const TkpPDFStreamObject& stream);

}  // namespace kp

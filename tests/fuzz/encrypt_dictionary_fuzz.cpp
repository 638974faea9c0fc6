// Fuzz target: the standard security handler. The input is an /Encrypt dictionary, an /ID value and a
// password string, followed by objects that are parsed with the resulting decryptor on the reader.
// Every exception of the engine is an acceptable outcome; crashes, leaks, hangs and undefined behaviour
// are not.
#include <cstdint>
#include <exception>

#include "engine/security/EncryptDictionary.h"

namespace {

// Objects read after the handler is attached; enough to reach strings and streams of several objects.
constexpr int kMaxObjects = 16;

void Exercise(kp::TkpPDFStreamReader& reader) {
    using namespace kp;
    const TkpPDFObjectPtr encrypt = reader.ReadObject();
    const TkpPDFObjectPtr id = reader.ReadObject();
    const TkpPDFObjectPtr password = reader.ReadObject();
    const auto* dictionary = As<TkpPDFDictObject>(encrypt.get());
    if (dictionary == nullptr) return;
    const auto* text = As<TkpPDFStringObject>(password.get());

    std::unique_ptr<TkpPDFDecrypt> decrypt;
    TkpPDFEncryptionSettings settings;
    PrepareStandardDecryption(decrypt, &reader, *dictionary, As<TkpPDFArrayObject>(id.get()),
                              text != nullptr ? text->StringValue() : std::string(), settings);

    // Whether or not the password was accepted, the reader decrypts what follows.
    for (int i = 0; i < kMaxObjects && reader.PeekByte() != kEndOfData; ++i) {
        const int64_t before = reader.Position();
        const TkpPDFObjectPtr object = reader.ReadObject();
        const auto* indirect = As<TkpPDFIndirectObject>(object.get());
        const auto* stream = indirect != nullptr ? As<TkpPDFStreamObject>(indirect->Body.get()) : nullptr;
        if (stream != nullptr) {
            const auto* length = As<TkpPDFIntegerObject>(stream->Dict->Lookup("/Length"));
            reader.ReadStreamData(length != nullptr ? length->Value : 0, indirect->ObjectNumber, indirect->Generation);
        }
        if (object == nullptr || reader.Position() == before) reader.ReadByte();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pw::TMemoryStream source(std::vector<uint8_t>(data, data + size));
    kp::TkpPDFStreamReader reader(1, &source);
    try {
        Exercise(reader);
    } catch (const std::exception&) {
        // Bad input is reported by exceptions; that is the expected outcome.
    }
    return 0;
}

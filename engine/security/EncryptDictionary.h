#pragma once
// The standard security handler's side of a document's password attempt: reading the /Encrypt
// dictionary and the file identifier into a decryptor, and the attempt as a whole.

#include <memory>
#include <string_view>

#include "engine/security/EncryptionSettings.h"
#include "engine/security/PDFDecrypt.h"
#include "engine/syntax/PDFObjects.h"
#include "engine/syntax/StreamReader.h"

namespace kp {

// Reads encrypt (the /Encrypt dictionary with every reference already replaced by its target) and id
// (the trailer's /ID array, or nullptr when the trailer has none) into decrypt, in this order, each
// step raising before the next is taken:
// 1. AES (/V 5, /R 5 or 6, or /V 4 whose /StmF or /StrF names an /AESV2 or /AESV3 crypt filter) raises
//    security::EUnsupportedEncryption "Unsupported encryption method: AES-128" (or "AES-256").
// 2. File identifier: the bytes of the first /ID string (a hexadecimal string decoded; a literal of exactly
//    32 hexadecimal characters read as the digits of 16 bytes; any other literal taken as its bytes); an
//    empty one raises "Invalid FileId.", a first item that is not a string raises pw::EInvalidCast.
//    Without /ID (nullptr or an empty array) FileID stays empty and the key computations leave it out.
// 3. /O, then /U: of another kind than string raises pw::EInvalidCast; missing or empty raises
//    "Invalid Owner Key." / "Invalid User Key.".
// 4. /P: an integer (sign-extended) or a 64-bit integer; anything else, or none, raises
//    security::EInvalidPermission.
// 5. /Length: not an integer object raises pw::EInvalidCast; 40 (or none) gives el40bit, any other
//    value el128bit.
// 6. /R chooses the algorithm where present: 2 is revision 2 with a 5-byte key; 3 and 4 are revision 3
//    with a key of /Length bits (40 when absent; a value that is not a multiple of 8 from 40 to 128
//    keeps the key length of step 5), and /R 4 with /EncryptMetadata false adds the 0xFF bytes to the
//    document key. Without /R (or with another value) step 5's level alone decides: el40bit is revision 2
//    with 5 bytes, el128bit revision 3 with 16 bytes.
// /Filter, /V (apart from step 1), /CF, /StmF and /StrF are not otherwise read.
void ReadEncryptDictionary(TkpPDFDecrypt& decrypt, const TkpPDFDictObject& encrypt, const TkpPDFArrayObject* id);

// One password attempt of a document (its PrepareDecryption):
// 1. current := a new TkpPDFDecrypt; the one of an earlier attempt is destroyed (reader, when it pointed
//    at it, is detached first so that it never refers to a destroyed decryptor).
// 2. ReadEncryptDictionary (any error leaves the new, unauthenticated decryptor in current: IsOwner then
//    reads false).
// 3. reader->SetDecryptor(current) when reader is not null: from here on every string and stream the
//    reader parses is decrypted. The caller keeps current alive as long as the reader may use it.
// 4. current->VerifyPassword(settings, password): true when the password was accepted as owner or user
//    password, with settings updated; false, and settings untouched, otherwise.
// settings is the document's record (its Encryption property); a locked record raises
// "User cannot change encryption settings" when a password is accepted.
bool PrepareStandardDecryption(std::unique_ptr<TkpPDFDecrypt>& current, TkpPDFStreamReader* reader,
                               const TkpPDFDictObject& encrypt, const TkpPDFArrayObject* id, std::string_view password,
                               TkpPDFEncryptionSettings& settings);

}  // namespace kp

// State, properties and the load sequence of TkpCustomPDFDocument.
#include "engine/document/CustomPDFDocument.h"

#include <mutex>

#include "engine/document/DocumentErrors.h"
#include "engine/document/FileFrame.h"
#include "engine/security/EncryptDictionary.h"
#include "platform/Exception.h"

namespace kp {

using namespace document;

int32_t NextDocumentSerial() {
    static std::mutex lock;
    static int32_t counter = 100;
    std::lock_guard<std::mutex> guard(lock);
    return ++counter;
}

TkpCustomPDFDocument::TkpCustomPDFDocument() { InitState(); }

TkpCustomPDFDocument::~TkpCustomPDFDocument() { ClearState(); }

void TkpCustomPDFDocument::InitState() {
    documentSerial_ = NextDocumentSerial();
    fresh_ = true;
    isLoaded_ = false;
    isEncrypted_ = false;
    pdfVersion_ = pvPDF14;
    pageMode_ = pmNone;
    pageLayout_ = plNone;
    workFileName_.clear();
    trailer_ = std::make_unique<TkpPDFTrailer>();
    store_ = std::make_unique<TkpPDFObjectStore>();
    catalog_ = std::make_unique<TkpPDFCatalog>();
    info_ = std::make_unique<TkpPDFInfo>();
    encryption_ = std::make_unique<TkpPDFEncryptionSettings>();
    encryption_->SetEnabled(false);
    encryption_->SetLevel(el40bit);
    encryption_->SetOwnerPassword("");
    encryption_->SetUserPassword("");
    objectStreamsPending_ = false;
}

void TkpCustomPDFDocument::ClearState() {
    // The page list and every view handed out point into the store and the kept objects: drop the views
    // first, then the owners.
    pages_.clear();
    DiscardReader();
    ClearStructures();  // named destinations, outline tree, form-field records
    kept_.clear();
    readFromFile_.clear();
    xrefTable_.clear();
    xrefStmTable_.clear();
    trailer_.reset();
    catalog_.reset();
    info_.reset();
    store_.reset();
    // The reader that used the decryptor is gone; the settings go with the document.
    decryptor_.reset();
    encryption_.reset();
}

void TkpCustomPDFDocument::Reset() {
    ClearState();
    InitState();
}

void TkpCustomPDFDocument::DiscardReader() {
    reader_.reset();
    fileData_.reset();
}

void TkpCustomPDFDocument::SetFilename(const std::string& fileName) {
    filename_ = fileName;
    if (!fileName.empty()) LoadFromFile(fileName);
}

namespace {
bool HasExtension(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    const size_t dot = name.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}
}  // namespace

bool TkpCustomPDFDocument::LoadFromFile(const std::string& fileName) {
    if (!fresh_) Reset();
    fresh_ = false;
    workFileName_ = HasExtension(fileName) ? fileName : fileName + ".pdf";
    if (filename_.empty()) filename_ = workFileName_;

    // The file is opened for reading only, sharing it with every other reader and writer, and read into
    // memory at once: the startxref search needs it whole, and the lexer then reads memory, not the disk.
    ReaderRelease release{*this};
    {
        pw::TFileStream file(workFileName_, pw::fmOpenRead);
        fileData_ = std::make_unique<pw::TMemoryStream>();
        fileData_->LoadFromStream(file);
    }
    return LoadFileData();
}

bool TkpCustomPDFDocument::LoadFromMemory(std::string_view bytes) {
    if (!fresh_) Reset();
    fresh_ = false;
    ReaderRelease release{*this};
    fileData_ = std::make_unique<pw::TMemoryStream>(bytes);
    return LoadFileData();
}

bool TkpCustomPDFDocument::LoadFileData() {
    ReadFileStructure(*fileData_);
    if (!isEncrypted_) {
        ReadDocument();
    } else if (OnPassword) {
        bool continueAsking = true;
        std::string password;
        for (int tries = 0;; ++tries) {
            OnPassword(this, password, continueAsking, tries);
            if (!continueAsking) {
                Reset();
                break;
            }
            if (Authenticate(password)) break;
        }
    } else {
        Authenticate("");
    }
    return isLoaded_;
}

bool TkpCustomPDFDocument::Authenticate(const std::string& password) {
    if (isEncrypted_ && !PrepareDecryption(password)) return false;
    if (objectStreamsPending_) {
        // Each object stream's data are decrypted with that stream's own key as the reader reads them; the
        // members inside are then taken as they are.
        objectStreamsPending_ = false;
        LoadObjectStreams();
    }
    ReadDocument();
    return true;
}

bool TkpCustomPDFDocument::PrepareDecryption(const std::string& password) {
    const auto* encrypt = As<TkpPDFDictObject>(trailer_->Encrypt.get());
    if (encrypt == nullptr) throw pw::EInvalidCast();
    return PrepareStandardDecryption(decryptor_, reader_.get(), *encrypt, trailer_->ID.get(), password, *encryption_);
}

void TkpCustomPDFDocument::ReadDocument() {
    if (OnBeginRead) OnBeginRead(this);
    ReadCatalog();
    isLoaded_ = true;
    if (OnStatusMessage) Status(pw::FillMessage(msg::kStatusComplete, PageCount()));
    if (OnEndRead) OnEndRead(this);
}

void TkpCustomPDFDocument::ReadFileStructure(pw::TStream& file) {
    try {
        reader_ = std::make_unique<TkpPDFStreamReader>(documentSerial_, &file);
        pdfVersion_ = ReadHeader(*reader_);
        const int32_t offset = FindStartXRef(*reader_);
        reader_->SetPosition(offset);
        if (reader_->PeekChars(4) == "xref") {
            ReadClassicXRef(offset);
        } else {
            ReadXRefStreams(offset);
        }
        if (trailer_->Encrypt && !trailer_->Encrypt->IsNull()) {
            trailer_->Encrypt = DeepResolve(trailer_->Encrypt.get());
            isEncrypted_ = true;
        } else {
            isEncrypted_ = false;
        }
        isLoaded_ = true;
    } catch (...) {
        reader_.reset();
        throw;
    }
}

void TkpCustomPDFDocument::Status(std::string_view text) {
    if (OnStatusMessage) OnStatusMessage(this, std::string(text));
}

void TkpCustomPDFDocument::Progress(int percentage) {
    if (OnIOProgress) OnIOProgress(this, percentage);
}

void TkpCustomPDFDocument::Warning(const std::string& text) {
    if (OnWarning) OnWarning(this, text);
}

template <typename T>
T* TkpCustomPDFDocument::Keep(std::unique_ptr<T> object) {
    T* view = object.get();
    if (object) kept_.push_back(std::move(object));
    return view;
}

template TkpPDFIndirectObject* TkpCustomPDFDocument::Keep(std::unique_ptr<TkpPDFIndirectObject>);
template TkpPDFDictObject* TkpCustomPDFDocument::Keep(std::unique_ptr<TkpPDFDictObject>);
template TkpPDFObject* TkpCustomPDFDocument::Keep(std::unique_ptr<TkpPDFObject>);

template <typename Item>
void TkpCustomPDFDocument::PlaceEntry(std::vector<Item>& table, int64_t number, const Item& item) {
    const auto length = static_cast<int64_t>(table.size());
    if (number < 0 || number > length) throw ECrossReferenceError();
    if (number < length) {
        table[static_cast<size_t>(number)] = item;
    } else {
        table.push_back(item);
    }
}

template void TkpCustomPDFDocument::PlaceEntry(std::vector<TkpXRefItem>&, int64_t, const TkpXRefItem&);
template void TkpCustomPDFDocument::PlaceEntry(std::vector<TkpXRefStmItem>&, int64_t, const TkpXRefStmItem&);

}  // namespace kp

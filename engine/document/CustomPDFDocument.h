#pragma once
// TkpCustomPDFDocument: loading of a PDF file into memory. LoadFromFile reads the file's frame
// (header, startxref, cross-reference sections and trailers), settles encryption, walks the catalog and the
// page tree so that everything the pages need is in the object store, and closes the file. Afterwards the
// document answers page questions from memory only.
//
// Ownership: the document owns everything of the loaded document (reader, tables, trailer, object store,
// page list, records). Pointers handed out by the Fetch and Resolve operations are views of objects the
// document owns; they stay valid until the next load or Reset.
//
// The implementation is split by topic: Document.cpp (state, properties, load sequence), XRefTable.cpp
// (classic cross-reference sections), XRefStreams.cpp and ObjectStreams.cpp (cross-reference streams and
// object streams), ObjectFetch.cpp (reading objects and fetch operations), LoadWalk.cpp
// (LoadReachable), PageTree.cpp (catalog and page tree), DocumentStructures.cpp (document-level entries),
// with NameTree.cpp, Outlines.cpp and AcroForm.cpp for the name tree, the outlines and the form fields.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/document/AcroFormField.h"
#include "engine/document/DocumentRecords.h"
#include "engine/document/DocumentTypes.h"
#include "engine/document/ObjectStore.h"
#include "engine/document/Outlines.h"
#include "engine/security/EncryptionSettings.h"
#include "engine/security/PDFDecrypt.h"
#include "engine/syntax/StreamReader.h"
#include "platform/Streams.h"

namespace kp {

// A platform component: two text properties whose setters do nothing.
class TkpComponent {
public:
    virtual ~TkpComponent() = default;
    std::string About() const { return "Pagewren PDF engine"; }
    void SetAbout(const std::string&) {}
    std::string Version() const { return "1.0"; }
    void SetVersion(const std::string&) {}
};

using TkpProgressEvent = std::function<void(void* sender, int percentage)>;
using TkpStatusMessageEvent = std::function<void(void* sender, const std::string& statusMessage)>;
using TkpWarningEvent = std::function<void(void* sender, const std::string& warning)>;
using TkpPasswordEvent = std::function<void(void* sender, std::string& password, bool& continueAsking, int tries)>;
using TkpNotifyEvent = std::function<void(void* sender)>;
using TkpOperationProgressEvent =
    std::function<void(void* sender, const std::string& currentOperation, int currentCount, int totalCount)>;

// Page trees nested deeper than this are refused: real documents stay far below it, and it bounds the walk.
inline constexpr int kMaxPageTreeDepth = 256;
// Deep resolution (used for /Encrypt) stops here: encryption dictionaries nest only a level or two.
inline constexpr int kMaxDeepResolveDepth = 64;

class TkpCustomPDFDocument : public TkpComponent {
public:
    TkpCustomPDFDocument();
    ~TkpCustomPDFDocument() override;
    TkpCustomPDFDocument(const TkpCustomPDFDocument&) = delete;
    TkpCustomPDFDocument& operator=(const TkpCustomPDFDocument&) = delete;

    // Loads a document, replacing any loaded one. Returns IsLoaded; every failure raises.
    bool LoadFromFile(const std::string& fileName);
    // The same load over bytes already in memory (WorkFileName is left empty).
    bool LoadFromMemory(std::string_view bytes);
    // Encrypted documents: checks the password and reads the document when it is accepted. Unencrypted
    // documents: reads the document and returns true.
    virtual bool Authenticate(const std::string& password);
    void ReadDocument();
    void Reset();

    // Properties.
    bool OpenAfterSave() const { return openAfterSave_; }
    void SetOpenAfterSave(bool value) { openAfterSave_ = value; }
    TkpMergeOptions MergeOptions() const { return mergeOptions_; }
    void SetMergeOptions(TkpMergeOptions value) { mergeOptions_ = value; }
    TkpMeasurementUnit MeasurementUnit() const { return measurementUnit_; }
    void SetMeasurementUnit(TkpMeasurementUnit value) { measurementUnit_ = value; }
    bool ShowSetupDialog() const { return showSetupDialog_; }
    void SetShowSetupDialog(bool value) { showSetupDialog_ = value; }
    bool EMailAfterSave() const { return eMailAfterSave_; }
    void SetEMailAfterSave(bool value) { eMailAfterSave_ = value; }
    bool IsLoaded() const { return isLoaded_; }
    bool IsEncrypted() const { return isEncrypted_; }
    // The security handler's owner flag; true when the document has no security handler.
    bool IsOwner() const { return decryptor_ == nullptr || decryptor_->OwnerAuthenticated(); }
    // The outcome of the last accepted password (and, for the writing side, how to encrypt on save).
    TkpPDFEncryptionSettings& Encryption() { return *encryption_; }
    const TkpPDFEncryptionSettings& Encryption() const { return *encryption_; }
    TkpPDFVersion PDFVersion() const { return pdfVersion_; }
    int32_t PageCount() const { return static_cast<int32_t>(pages_.size()); }
    int PageMode() const { return pageMode_; }
    int PageLayout() const { return pageLayout_; }
    const std::string& Filename() const { return filename_; }
    // A non-empty name is stored and loaded at once; an empty one only clears the property.
    void SetFilename(const std::string& fileName);
    const std::string& WorkFileName() const { return workFileName_; }
    int32_t DocumentSerial() const { return documentSerial_; }

    // Events, called only when set.
    TkpOperationProgressEvent OnOperationProgress;
    TkpProgressEvent OnIOProgress;
    TkpStatusMessageEvent OnStatusMessage;
    TkpWarningEvent OnWarning;
    TkpPasswordEvent OnPassword;
    TkpNotifyEvent OnBeginRead;
    TkpNotifyEvent OnEndRead;

    // Document state.
    TkpPDFObjectStore& ObjectStore() { return *store_; }
    const TkpPDFObjectStore& ObjectStore() const { return *store_; }
    // The page objects in document order (owned by the store).
    const std::vector<TkpPDFIndirectObject*>& Pages() const { return pages_; }
    const std::vector<TkpXRefItem>& XRefTable() const { return xrefTable_; }
    const std::vector<TkpXRefStmItem>& XRefStmTable() const { return xrefStmTable_; }
    const TkpPDFTrailer& Trailer() const { return *trailer_; }
    const TkpPDFCatalog& Catalog() const { return *catalog_; }
    const TkpPDFInfo& Info() const { return *info_; }
    TkpPDFInfo& Info() { return *info_; }
    const TkpPDFViewerPreferences& ViewerPreferences() const { return catalog_->ViewerPreferences; }
    TkpPDFViewerPreferences& ViewerPreferences() { return catalog_->ViewerPreferences; }
    const TkpNamedDestinations& NamedDestinations() const { return namedDestinations_; }
    // The outline tree: the root item stands for the /Outlines dictionary (nullptr without outlines);
    // OutlineCount is the number of items below it.
    const TkpPDFOutline* OutlineRoot() const { return outlineRoot_.get(); }
    int32_t OutlineCount() const { return static_cast<int32_t>(outlineItems_.size()); }
    // The form fields that have both /T and their own /FT, in the order the field tree was walked.
    const std::vector<TkpAcroFormField>& FormFields() const { return formFields_; }
    TkpPDFStreamReader* Reader() const { return reader_.get(); }

    // Page size in the unit; a page number outside 1..PageCount raises EListError.
    void GetPageSize(int32_t pageNumber, TkpMeasurementUnit unit, double& width, double& height) const;

    // Object access (see ObjectFetch.cpp and LoadWalk.cpp).
    int64_t GetObjectOffset(int32_t objectNumber) const;
    std::unique_ptr<TkpPDFIndirectObject> ReadIndirectObjectAt();
    TkpPDFIndirectObject* FetchObject(int32_t objectNumber);
    TkpPDFIndirectObject* FetchStored(int32_t objectNumber);
    TkpPDFArrayObject* FetchArray(TkpPDFObject* object, bool storing);
    TkpPDFDictObject* FetchDict(TkpPDFObject* object, bool storing);
    TkpPDFStringObject* FetchString(TkpPDFObject* object);
    TkpPDFNameObject* FetchName(TkpPDFObject* object);
    TkpPDFObjectPtr DeepResolve(const TkpPDFObject* object);
    void LoadReachable(TkpPDFObject* object);

protected:
    virtual void ClearState();
    virtual void InitState();

    // The load sequence's steps.
    void ReadFileStructure(pw::TStream& file);
    void ReadClassicXRef(int32_t startOffset);
    // Cross-reference streams and object streams (compressed cross-reference data, XRefStreams.cpp and
    // ObjectStreams.cpp).
    virtual void ReadXRefStreams(int32_t startOffset);
    // One cross-reference stream, read and decoded, with its trailer values taken; entries not yet placed.
    struct XRefStreamSection;
    XRefStreamSection ReadXRefStreamSection(int32_t offset, TkpPDFObjectPtr& pendingID);
    // Unpacks every object stream that XRefStmTable names, putting the members into the store. Each object
    // stream's data are read through the reader, so a decryptor attached to it by then decrypts them with
    // that stream's own object number and generation; the members' strings are never decrypted again.
    virtual void LoadObjectStreams();
    void UnpackObjectStream(int64_t streamNumber);
    // Trailer values of one section, newest section first: only what newer sections did not supply.
    void TakeTrailerValues(const TkpPDFDictObject& trailer, TkpPDFObjectPtr& pendingID);
    // The pending /ID becomes Trailer().ID (an array, or a reference fetched as one).
    void SettleID(const TkpPDFObjectPtr& pendingID);
    // The security handler: builds it from Trailer().Encrypt, attaches it to the reader, checks the password.
    virtual bool PrepareDecryption(const std::string& password);
    void ReadCatalog();
    void ReadPageTreeNode(int32_t objectNumber, const TkpPDFDictObject* inherited, int depth);

    // The document-level entries of the catalog (DocumentStructures.cpp), in traversal order.
    void ReadInformation();
    void ReadViewerPreferences(const TkpPDFDictObject& catalog);
    void ReadDestinations(const TkpPDFDictObject& catalog);
    void ReadAcroForm(const TkpPDFDictObject& catalog);
    void ReadActions(const TkpPDFDictObject& catalog);
    void ReadNameTree(const TkpPDFDictObject& catalog);
    void ReadOutlines(const TkpPDFDictObject& catalog);
    // The destination a /Dest or /D name or string stands for, or nullptr. The caller copies what it gets:
    // the copy is counted against the load's copy budget, and past it the name is kept (nullptr).
    const TkpPDFObject* LookupNamedDestination(const TkpPDFObject& nameOrString);

    // Helpers of the steps above (DocumentStructures.cpp, NameTree.cpp, Outlines.cpp, AcroForm.cpp).
    void ClearStructures();
    // Counts the memory of a copy the structure steps make; past the budget TryChargeCopy gives false and
    // ChargeCopy raises EUnexpectedError, so shared objects cannot multiply into unbounded memory.
    bool TryChargeCopy(const TkpPDFObject& object);
    void ChargeCopy(const TkpPDFObject& object);
    // The object a reference names, brought into the store with everything it refers to (Find, else the
    // object with generation 0), or nullptr when the file has none.
    TkpPDFIndirectObject* StoreTarget(TkpPDFIndirectReference& reference);
    // An explicit destination from a /Dests value or a name-tree value: nullptr means "skip the value".
    TkpPDFObjectPtr DestinationOf(TkpPDFObject* value, bool anyDictionary);
    void ReadNameTreeNode(TkpPDFDictObject& node, int depth, std::unordered_set<const TkpPDFObject*>& visited);
    std::unique_ptr<TkpPDFOutline> ReadOutlineItem(int32_t objectNumber, int32_t& first, int32_t& next);
    void ResolveOutlineDestination(TkpPDFDictObject& dict, std::string_view key);
    struct FieldContext;
    void ReadFormFields(TkpPDFDictObject& form);
    void ReadField(const TkpPDFIndirectReference& reference, const FieldContext& parent, int depth);
    // widgets: the field's kids when they hold its widgets and have not been met before, else nullptr.
    TkpAcroFormField MakeFieldRecord(const TkpPDFIndirectObject& object, const FieldContext& context,
                                     const TkpPDFArrayObject* widgets);

    void Status(std::string_view text);
    void Progress(int percentage);
    void Warning(const std::string& text);
    // Places an entry for object number `number` by the placement rule shared by both table kinds.
    template <typename Item>
    static void PlaceEntry(std::vector<Item>& table, int64_t number, const Item& item);

    // An object obtained by number: the store's (generation 0) or one read from the file (then owned here).
    struct Obtained {
        TkpPDFIndirectObject* Object = nullptr;
        std::unique_ptr<TkpPDFIndirectObject> Owned;
    };
    Obtained ObtainObject(int32_t objectNumber);
    // The indirect object at the reader's position without its stream data; keyword is where "stream" stands.
    std::unique_ptr<TkpPDFIndirectObject> ParseIndirectObjectAt(int64_t& keyword);
    static bool WalksStreamDictionary(const TkpPDFStreamObject& stream);
    // Reads the data of the stream that object holds (its dictionary already walked).
    void ReadStreamDataOf(TkpPDFIndirectObject& object, int64_t keyword);
    // Storing mode marks and stores an object read from the file; otherwise it is kept with the state.
    void Settle(Obtained& obtained, bool storing);
    template <typename T>
    T* FetchKind(TkpPDFObject* object, bool storing);
    template <typename T>
    T* FetchValue(TkpPDFObject* object);
    // Keeps an object read from the file alive with the document state and returns a view of it.
    template <typename T>
    T* Keep(std::unique_ptr<T> object);

    // Document state.
    int32_t documentSerial_ = 0;
    bool fresh_ = true;  // nothing has happened since the state was created
    bool isLoaded_ = false;
    bool isEncrypted_ = false;
    // The security handler of the current password attempt, attached to the reader.
    std::unique_ptr<TkpPDFDecrypt> decryptor_;
    std::unique_ptr<TkpPDFEncryptionSettings> encryption_;
    // An encrypted document's object streams are encrypted like every stream: they are unpacked once a
    // password has been accepted and the reader decrypts, not while the cross-reference data are read.
    bool objectStreamsPending_ = false;
    TkpPDFVersion pdfVersion_ = pvPDF14;
    int pageMode_ = pmNone;
    int pageLayout_ = plNone;
    std::string workFileName_;
    std::unique_ptr<pw::TMemoryStream> fileData_;  // the whole file while it is being read
    std::unique_ptr<TkpPDFStreamReader> reader_;
    std::vector<TkpXRefItem> xrefTable_;
    std::vector<TkpXRefStmItem> xrefStmTable_;
    std::unique_ptr<TkpPDFTrailer> trailer_;
    std::unique_ptr<TkpPDFObjectStore> store_;
    std::vector<TkpPDFIndirectObject*> pages_;
    std::unique_ptr<TkpPDFCatalog> catalog_;
    std::unique_ptr<TkpPDFInfo> info_;
    TkpNamedDestinations namedDestinations_;
    std::unique_ptr<TkpPDFOutline> outlineRoot_;
    std::vector<std::unique_ptr<TkpPDFOutline>> outlineItems_;
    std::vector<TkpAcroFormField> formFields_;
    int64_t copiedBytes_ = 0;    // memory of the copies the structure steps made during this load
    int64_t formFieldText_ = 0;  // bytes of text held by the form-field records
    // Objects read from the file outside the store (fetch results), freed with the state.
    std::vector<TkpPDFObjectPtr> kept_;
    // (number, generation) of references already read from the file during this load: a reference is read
    // at most once, so mismatched object headers and self-referring streams cannot loop.
    std::unordered_set<uint64_t> readFromFile_;
    // Intermediate page-tree nodes met during the walk.
    std::unordered_set<int32_t> visitedPageNodes_;

    void DiscardReader();
    // Frees the reader and the file's bytes when a load step ends, however it ends.
    struct ReaderRelease {
        TkpCustomPDFDocument& document;
        ~ReaderRelease() { document.DiscardReader(); }
    };
    // Steps of the load after the file's bytes are in fileData_.
    bool LoadFileData();

private:

    std::string filename_;
    bool openAfterSave_ = false;
    TkpMergeOptions mergeOptions_ = moIncludeOutlines | moIncludeFormFields;
    TkpMeasurementUnit measurementUnit_ = muPixels;
    bool showSetupDialog_ = true;
    bool eMailAfterSave_ = false;
};

// The next value of the process-wide document serial counter (which starts at 100), under a lock.
int32_t NextDocumentSerial();

}  // namespace kp

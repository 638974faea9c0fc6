// Finding and decoding the content streams of a page.
#include "engine/text/ExPDFDocument.h"
#include "engine/text/PageContent.h"

#include "engine/document/DocumentErrors.h"
#include "engine/filters/DecodePipeline.h"

namespace kp {

std::vector<TkpPDFStreamObject*> TkpExPDFDocument::CollectPageContent(int32_t pageNumber) {
    if (pageNumber < 1 || pageNumber > PageCount()) {
        throw pw::EListError(pw::FillMessage(pw::msg::kListIndexOutOfBounds, int64_t{pageNumber} - 1));
    }
    std::vector<TkpPDFStreamObject*> streams;
    const auto* page = As<TkpPDFDictObject>(Pages()[static_cast<size_t>(pageNumber - 1)]->Body.get());
    if (page == nullptr) return streams;
    // /Contents belongs to the page itself: it is not inherited from the page tree.
    TkpPDFObject* contents = page->Lookup("/Contents");
    if (contents == nullptr) return streams;

    const TkpPDFObjectStore& store = ObjectStore();
    if (As<TkpPDFStreamObject>(store.ResolveDirect(contents)) != nullptr) {
        streams.push_back(store.ResolveStream(contents));
        return streams;
    }
    if (!contents->IsReference() && !contents->IsArray()) return streams;

    // A reference that leads nowhere (the store lacks it and the file is closed) is no array either.
    TkpPDFArrayObject* array = FetchArray(contents, true);
    if (array == nullptr) throw document::EUnexpectedObjectError();
    for (int32_t i = 0; i < array->Count(); ++i) {
        // An element whose object the store lacks gives no stream and is passed over.
        if (TkpPDFStreamObject* stream = store.ResolveStream(array->Items(i))) streams.push_back(stream);
    }
    return streams;
}

std::unique_ptr<pw::TMemoryStream> DecodeContentStream(const TkpPDFObjectStore& store, const TkpPDFStreamObject& stream) {
    if (stream.Data == nullptr) return std::make_unique<pw::TMemoryStream>();
    const TkpPDFObject* filter = store.ResolveDirect(stream.Dict->Lookup("/Filter"));
    return DecodeStreamData(*stream.Data, filter);
}

std::string TkpExPDFDocument::ReadContentStream(const TkpPDFStreamObject& stream) {
    return DecodeContentStream(ObjectStore(), stream)->ToString();
}

std::string TkpExPDFDocument::JoinedPageContent(int32_t pageNumber) {
    std::string joined;
    for (const TkpPDFStreamObject* stream : CollectPageContent(pageNumber)) joined += ReadContentStream(*stream);
    return joined;
}

}  // namespace kp

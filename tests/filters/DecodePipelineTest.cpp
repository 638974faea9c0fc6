#include "engine/filters/DecodePipeline.h"

#include <gtest/gtest.h>

#include "FilterTestData.h"
#include "engine/filters/Ascii85Filter.h"
#include "engine/filters/AsciiHexFilter.h"
#include "engine/filters/FilterErrors.h"
#include "engine/filters/FlateFilter.h"
#include "engine/filters/PNGPredictor.h"
#include "engine/filters/RLEFilter.h"
#include "engine/syntax/StreamReader.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using filters::EUnexpectedFilterObject;
using filters::EUnsupportedFilterError;
using test::ZlibCompress;

std::unique_ptr<TkpPDFNameObject> Name(std::string_view text) {
    return std::make_unique<TkpPDFNameObject>(std::string(text));
}

std::unique_ptr<TkpPDFArrayObject> Names(std::initializer_list<std::string_view> names) {
    auto array = std::make_unique<TkpPDFArrayObject>();
    for (const auto name : names) array->Add(Name(name));
    return array;
}

std::string Decode(std::string_view raw, const TkpPDFObject* filter) {
    const pw::TMemoryStream input(raw);
    const auto output = DecodeStreamData(input, filter);
    EXPECT_EQ(output->Position(), 0);
    EXPECT_EQ(input.ToString(), raw) << "the raw data are not changed";
    return output->ToString();
}

TEST(FilterKindOf, ExactNamesOnly) {
    EXPECT_EQ(FilterKindOf("/ASCIIHexDecode"), ftASCIIHexDecode);
    EXPECT_EQ(FilterKindOf("/ASCII85Decode"), ftASCII85Decode);
    EXPECT_EQ(FilterKindOf("/FlateDecode"), ftFlateDecode);
    EXPECT_EQ(FilterKindOf("/LZWDecode"), ftFlateDecode);
    EXPECT_EQ(FilterKindOf("/RunLengthDecode"), ftRunLengthDecode);
    EXPECT_EQ(FilterKindOf("/DCTDecode"), ftDCTDecode);
    for (const std::string_view name : {"/Fl", "/AHx", "/CCITTFaxDecode", "/flatedecode", "FlateDecode",
                                        "/FlateDecode ", "/JBIG2Decode", ""}) {
        EXPECT_ERROR(FilterKindOf(name), EUnsupportedFilterError, "Unsupported filter (" + std::string(name) + ")");
    }
}

TEST(ParseFilterList, NamesArraysAndOtherObjects) {
    EXPECT_EQ(ParseFilterList(nullptr), TkpDecodeFilters{});
    EXPECT_EQ(ParseFilterList(Name("/FlateDecode").get()), TkpDecodeFilters{ftFlateDecode});
    EXPECT_EQ(ParseFilterList(Names({"/ASCII85Decode", "/LZWDecode", "/DCTDecode"}).get()),
              (TkpDecodeFilters{ftASCII85Decode, ftFlateDecode, ftDCTDecode}));
    EXPECT_EQ(ParseFilterList(Names({}).get()), TkpDecodeFilters{});

    const TkpPDFIndirectReference reference(1, 12, 0);
    EXPECT_ERROR(ParseFilterList(&reference), EUnexpectedFilterObject,
                 "Unexpected filter object, found (IndirectReference Object)");
    const TkpPDFDictObject dictionary;
    EXPECT_ERROR(ParseFilterList(&dictionary), EUnexpectedFilterObject,
                 "Unexpected filter object, found (Dictionary Object)");
    const TkpPDFNullObject null;
    EXPECT_ERROR(ParseFilterList(&null), EUnexpectedFilterObject, "Unexpected filter object, found (Null Object)");

    auto mixed = Names({"/FlateDecode"});
    mixed->AddInteger(3);
    EXPECT_ERROR(ParseFilterList(mixed.get()), pw::EInvalidCast, "Invalid class typecast");
}

TEST(DecodeStreamData, WithoutFiltersReturnsACopy) {
    const std::string raw = "q 1 0 0 1 0 0 cm\r\n";
    const pw::TMemoryStream input(raw);
    const auto output = DecodeStreamData(input, nullptr);
    EXPECT_EQ(output->ToString(), raw) << "line ends are kept when nothing is decoded";
    EXPECT_NE(output->Memory(), input.Memory());
    EXPECT_EQ(Decode(raw, Names({}).get()), raw);
    EXPECT_EQ(Decode(raw, Name("/DCTDecode").get()), raw) << "DCT data are passed over untouched";
}

TEST(DecodeStreamData, AppliesFiltersInOrder) {
    const std::string content = test::SampleData(40000, 21);
    const std::string deflated = ZlibCompress(content);
    const std::string a85 = TkpAscii85Filter().EncodeString(deflated);
    EXPECT_EQ(Decode(a85 + "\r\n", Names({"/ASCII85Decode", "/FlateDecode"}).get()), content);

    const std::string jpeg = "\xFF\xD8 jpeg bytes \xFF\xD9\n";
    EXPECT_EQ(Decode(ZlibCompress(jpeg), Names({"/FlateDecode", "/DCTDecode"}).get()), jpeg);
    // A DCT entry does not end the chain.
    EXPECT_EQ(Decode("4142>", Names({"/DCTDecode", "/ASCIIHexDecode"}).get()), "AB");

    const std::string hexOfRunLength = TkpAsciiHexFilter().EncodeString(TkpRLEFilter().EncodeString(content));
    EXPECT_EQ(Decode(hexOfRunLength, Names({"/ASCIIHexDecode", "/RunLengthDecode"}).get()), content);
}

TEST(DecodeStreamData, TrailingLineEndsAndMissingHexMarker) {
    EXPECT_EQ(Decode("41 42\r\n", Name("/ASCIIHexDecode").get()), "AB") << "\">\" supplied";
    EXPECT_EQ(Decode("414", Name("/ASCIIHexDecode").get()), "A@");
    EXPECT_EQ(Decode("", Name("/ASCIIHexDecode").get()), "");
    EXPECT_EQ(Decode("4142>\n\r\n", Name("/ASCIIHexDecode").get()), "AB");
    EXPECT_EQ(Decode("87cURD_*#4DfTZ)+T~>\r\n", Name("/ASCII85Decode").get()), "Hello, World!");
    EXPECT_EQ(Decode(test::Bytes({2, 'a', 'b', 'c', 128, '\n', '\r', '\n'}), Name("/RunLengthDecode").get()), "abc");

    const std::string content = test::SampleData(5000, 2);
    EXPECT_EQ(Decode(ZlibCompress(content) + "\r\n", Name("/FlateDecode").get()), content);
    // Cutting line ends may cut into the checksum itself: the data are all there and no error is raised.
    const std::string endsInLineFeed = ZlibCompress("aaaaaaab");
    ASSERT_EQ(endsInLineFeed.back(), '\n');
    EXPECT_EQ(Decode(endsInLineFeed, Name("/FlateDecode").get()), "aaaaaaab");
}

TEST(DecodeStreamData, Errors) {
    // The whole list is checked before decoding: these data are not Flate, yet the name is reported.
    EXPECT_ERROR(Decode("not deflate", Names({"/FlateDecode", "/Fl"}).get()), EUnsupportedFilterError,
                 "Unsupported filter (/Fl)");
    EXPECT_ERROR(Decode("x", Name("/CCITTFaxDecode").get()), EUnsupportedFilterError,
                 "Unsupported filter (/CCITTFaxDecode)");
    const TkpPDFIndirectReference reference(1, 4, 0);
    EXPECT_ERROR(Decode("x", &reference), EUnexpectedFilterObject,
                 "Unexpected filter object, found (IndirectReference Object)");
    EXPECT_ERROR(Decode(test::Bytes({0x80, 0x0B, 0x60, 0x50, 0x22}), Name("/LZWDecode").get()),
                 filters::EDecompressionError, "error");
    // A decoder's error reaches the caller unchanged from the middle of a chain.
    EXPECT_ERROR(Decode(TkpAsciiHexFilter().EncodeString("ab"), Names({"/ASCIIHexDecode", "/RunLengthDecode"}).get()),
                 pw::Exception, "EndOfData Marker is wrong");
}

TEST(DecodeStreamData, DeflateBombStopsAtTheCeiling) {
    const std::string bomb = test::ZlibZeros(kMaxDecodedSize + 1);
    ASSERT_LT(bomb.size(), 1u << 20);
    EXPECT_ERROR(Decode(bomb, Name("/FlateDecode").get()), filters::EDecodedSizeError,
                 "Decoded stream data exceed the limit of 268435456 bytes");
}

TEST(ApplyFilter, TrimsTheBufferAndReturnsANewOne) {
    pw::TMemoryStream hex(std::string_view("41 42\r\n\n"));
    EXPECT_EQ(ApplyFilter(ftASCIIHexDecode, hex)->ToString(), "AB");
    EXPECT_EQ(hex.ToString(), "41 42>") << "line ends cut off and \">\" appended to the given buffer";

    pw::TMemoryStream jpeg(std::string_view("\xFF\xD8\xFF\xD9\r\n"));
    const auto same = ApplyFilter(ftDCTDecode, jpeg);
    EXPECT_EQ(same->ToString(), "\xFF\xD8\xFF\xD9");
    EXPECT_EQ(same->Position(), 0);

    pw::TMemoryStream flate(std::string_view(ZlibCompress("BT (x) Tj ET") + "\n"));
    const auto inflated = ApplyFilter(ftFlateDecode, flate);
    EXPECT_EQ(inflated->ToString(), "BT (x) Tj ET");
    EXPECT_EQ(inflated->Position(), 0);

    pw::TMemoryStream fax(std::string_view("fax data"));
    EXPECT_ERROR(ApplyFilter(ftCCITTFaxDecode, fax), EUnsupportedFilterError, "Unsupported filter");
}

TEST(FilterFamily, InheritedSlotsReturnNothing) {
    const pw::TMemoryStream data(std::string_view("abc"));
    EXPECT_EQ(TkpFlateFilter().EncodeStream(data), nullptr);
    EXPECT_EQ(TkpFlateFilter().EncodeString("abc"), "");
    EXPECT_EQ(TkpAsciiHexFilter().CompressStream(data, 6), nullptr);
    EXPECT_EQ(TkpAscii85Filter().CompressString("abc", 6), "");
    EXPECT_EQ(TkpRLEFilter().CompressStream(data, 6), nullptr);
}

// A real cross-reference stream (qpdf output: /FlateDecode, /Predictor 12, /Columns 4, /W [1 2 1]) decoded
// the way the cross-reference reader does it: every in-use entry must point at its object's header.
TEST(DecodeStreamData, RealCrossReferenceStreamWithUpPredictor) {
    pw::TMemoryStream file;
    file.LoadFromFile(std::string(PAGEWREN_FIXTURES) + "/filters/xref-stream-up-predictor.pdf");
    const std::string_view bytes = file.View();
    const size_t startxref = bytes.rfind("startxref");
    ASSERT_NE(startxref, std::string_view::npos);
    const int64_t offset = std::stoll(std::string(bytes.substr(startxref + 9, 20)));

    TkpPDFStreamReader reader(1, &file);
    reader.SetPosition(offset);
    const int32_t number = std::stoi(reader.ReadToken());
    reader.ReadToken();
    ASSERT_EQ(reader.ReadToken(), "obj");
    const TkpPDFObjectPtr object = reader.ReadObject();
    const auto* dict = As<TkpPDFDictObject>(object.get());
    ASSERT_NE(dict, nullptr);
    const auto* length = As<TkpPDFIntegerObject>(dict->Lookup("/Length"));
    const auto* parms = As<TkpPDFDictObject>(dict->Lookup("/DecodeParms"));
    const auto* size = As<TkpPDFIntegerObject>(dict->Lookup("/Size"));
    ASSERT_TRUE(length && parms && size);
    const auto raw = reader.ReadStreamData(length->Value, number, 0);

    const auto decoded = DecodeStreamData(*raw, dict->Lookup("/Filter"));
    const auto table = ApplyPNGPredictor(*decoded, As<TkpPDFIntegerObject>(parms->Lookup("/Columns"))->Value);
    ASSERT_EQ(table->Size(), size->Value * 4);
    const uint8_t* entries = table->Memory();
    EXPECT_EQ(entries[0], 0) << "object 0 is free";
    int inUse = 0;
    int compressed = 0;
    for (int32_t n = 1; n < size->Value; ++n) {
        const uint8_t* entry = entries + 4 * n;
        const int field2 = entry[1] << 8 | entry[2];
        if (entry[0] == 1) {
            EXPECT_TRUE(bytes.substr(static_cast<size_t>(field2)).starts_with(std::to_string(n) + " 0 obj")) << n;
            ++inUse;
        } else {
            ASSERT_EQ(entry[0], 2) << n;
            EXPECT_EQ(entries[4 * field2], 1) << "object " << n << " lies in an object stream stored in use";
            ++compressed;
        }
    }
    EXPECT_EQ(inUse, 8);
    EXPECT_EQ(compressed, 12);
}

}  // namespace
}  // namespace kp

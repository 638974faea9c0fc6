// Decoder throughput on real stream data, in bytes of decoded output per second.
//
// At start-up the page content streams of the large PDFs in the shared bench folder are cut out with a
// small scan: each "stream" keyword's dictionary (from the preceding "obj") names the filters; the data
// run for a direct /Length or else up to "endstream". Streams with /Type, /Subtype or font lengths are
// left out, so what remains are content streams. Flate streams are timed through the pipeline and
// through zlib's own inflate into a buffer of the known size (the lower bound for any wrapper); the
// ReportLab file's [/ASCII85Decode /FlateDecode] streams give real ASCII85 data; ASCIIHex and RunLength
// data are the inflated contents encoded by those filters.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "engine/filters/Ascii85Filter.h"
#include "engine/filters/AsciiHexFilter.h"
#include "engine/filters/DecodePipeline.h"
#include "engine/filters/FlateFilter.h"
#include "engine/filters/RLEFilter.h"

namespace {

struct Corpus {
    std::vector<pw::TMemoryStream> flate;  // raw /FlateDecode data
    std::vector<size_t> flateSizes;        // their inflated sizes
    std::vector<std::string> ascii85;      // raw ASCII85 data (of deflated content)
    std::vector<std::string> asciiHex;     // inflated content, hexadecimal
    std::vector<std::string> runLength;    // inflated content, run-length encoded
    size_t flateOut = 0, ascii85Out = 0, plainOut = 0;
};

std::string_view Trimmed(std::string_view data) {
    while (!data.empty() && (data.back() == '\n' || data.back() == '\r')) data.remove_suffix(1);
    return data;
}

void AddStreams(Corpus& corpus, std::string_view file) {
    static const std::regex directLength(R"(/Length\s+(\d+)(\s+\d+\s+R)?)");
    for (size_t at = file.find("stream"); at != std::string_view::npos; at = file.find("stream", at + 6)) {
        if (at >= 3 && file.substr(at - 3, 3) == "end") continue;
        const size_t objAt = file.rfind("obj", at);
        if (objAt == std::string_view::npos) continue;
        const std::string dict(file.substr(objAt, at - objAt));
        if (dict.find("/FlateDecode") == std::string::npos) continue;
        bool skip = false;
        for (const char* key : {"/Type", "/Subtype", "/Length1", "/Length2", "/DecodeParms", "/BBox", "/N "}) {
            skip = skip || dict.find(key) != std::string::npos;
        }
        if (skip) continue;
        size_t start = at + 6;
        if (file.substr(start, 2) == "\r\n") start += 2;
        else if (start < file.size() && (file[start] == '\n' || file[start] == '\r')) ++start;
        std::smatch length;
        std::string_view raw;
        if (std::regex_search(dict, length, directLength) && !length[2].matched) {
            raw = file.substr(start, std::stoul(length[1]));
        } else {
            const size_t end = file.find("endstream", start);
            if (end == std::string_view::npos) continue;
            raw = Trimmed(file.substr(start, end - start));
        }
        try {
            if (dict.find("/ASCII85Decode") != std::string::npos) {
                const std::vector<uint8_t> deflated = kp::TkpAscii85Filter::Decode(Trimmed(raw));
                corpus.ascii85.emplace_back(raw);
                corpus.ascii85Out += deflated.size();
                raw = {};
                corpus.flate.emplace_back(std::vector<uint8_t>(deflated));
            } else {
                corpus.flate.emplace_back(raw);
            }
            const std::vector<uint8_t> plain = kp::TkpFlateFilter::Decode(corpus.flate.back().View());
            const std::string_view text(reinterpret_cast<const char*>(plain.data()), plain.size());
            corpus.flateSizes.push_back(plain.size());
            corpus.flateOut += plain.size();
            corpus.asciiHex.push_back(kp::TkpAsciiHexFilter().EncodeString(text));
            corpus.runLength.push_back(kp::TkpRLEFilter().EncodeString(text));
            corpus.plainOut += plain.size();
        } catch (const std::exception&) {
            if (corpus.flate.size() > corpus.flateSizes.size()) corpus.flate.pop_back();
        }
    }
}

const Corpus& TheCorpus() {
    static const Corpus corpus = [] {
        Corpus c;
        for (const auto& entry : std::filesystem::directory_iterator(PAGEWREN_SHARED_BENCH)) {
            if (entry.path().extension() != ".pdf") continue;
            pw::TMemoryStream file;
            file.LoadFromFile(entry.path().string());
            AddStreams(c, file.View());
        }
        std::fprintf(stderr, "corpus: %zu Flate content streams (%zu bytes inflated), %zu ASCII85 streams\n",
                     c.flate.size(), c.flateOut, c.ascii85.size());
        return c;
    }();
    return corpus;
}

void BM_Flate_DecodeStreamData(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    const kp::TkpPDFNameObject filter("/FlateDecode");
    for (auto _ : state) {
        for (const auto& raw : corpus.flate) benchmark::DoNotOptimize(kp::DecodeStreamData(raw, &filter));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.flateOut));
}
BENCHMARK(BM_Flate_DecodeStreamData)->Unit(benchmark::kMillisecond);

void BM_Flate_FilterDecode(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        for (const auto& raw : corpus.flate) benchmark::DoNotOptimize(kp::TkpFlateFilter::Decode(raw.View()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.flateOut));
}
BENCHMARK(BM_Flate_FilterDecode)->Unit(benchmark::kMillisecond);

// zlib alone: one inflate per stream into a buffer already of the right size.
void BM_Flate_RawZlib(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    size_t largest = 0;
    for (const size_t size : corpus.flateSizes) largest = std::max(largest, size);
    std::vector<uint8_t> out(largest);
    for (auto _ : state) {
        for (size_t i = 0; i < corpus.flate.size(); ++i) {
            const std::string_view raw = corpus.flate[i].View();
            z_stream z{};
            inflateInit(&z);
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
            z.avail_in = static_cast<uInt>(raw.size());
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(corpus.flateSizes[i]);
            inflate(&z, Z_FINISH);
            inflateEnd(&z);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.flateOut));
}
BENCHMARK(BM_Flate_RawZlib)->Unit(benchmark::kMillisecond);

void BM_ASCII85Decode(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        for (const auto& raw : corpus.ascii85) benchmark::DoNotOptimize(kp::TkpAscii85Filter::Decode(Trimmed(raw)));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.ascii85Out));
}
BENCHMARK(BM_ASCII85Decode)->Unit(benchmark::kMillisecond);

void BM_ASCIIHexDecode(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        for (const auto& raw : corpus.asciiHex) benchmark::DoNotOptimize(kp::TkpAsciiHexFilter::Decode(raw));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.plainOut));
}
BENCHMARK(BM_ASCIIHexDecode)->Unit(benchmark::kMillisecond);

void BM_RunLengthDecode(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        for (const auto& raw : corpus.runLength) benchmark::DoNotOptimize(kp::TkpRLEFilter::Decode(raw));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.plainOut));
}
BENCHMARK(BM_RunLengthDecode)->Unit(benchmark::kMillisecond);

}  // namespace

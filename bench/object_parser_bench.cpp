// Throughput of the object parser over a large synthetic body of indirect objects held in memory:
// dictionaries, arrays, integers, reals, literal and hexadecimal strings, names and references.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/syntax/StreamReader.h"

namespace {

std::string MakeBody(int objects) {
    std::string body;
    body.reserve(static_cast<size_t>(objects) * 220);
    for (int i = 1; i <= objects; ++i) {
        const std::string n = std::to_string(i);
        body += n + " 0 obj\n<< /Type /Page /Parent 2 0 R /Resources << /Font << /F1 " + n +
                " 0 R >> /ProcSet [/PDF /Text] >>\n/MediaBox [0 0 612 792] /Rotate 0 /UserUnit 1.25\n"
                "/Contents " + n + " 0 R /Annots [10 0 R 11 0 R 12 0 R] /T (Page title \\(" + n +
                "\\) text) /ID <A1B2C3D4E5F60718> /Scale -0.5 >>\nendobj\n";
    }
    return body;
}

void BM_ParseIndirectObjects(benchmark::State& state) {
    const std::string body = MakeBody(static_cast<int>(state.range(0)));
    pw::TMemoryStream source{std::string_view(body)};
    size_t objects = 0;
    for (auto _ : state) {
        source.SetPosition(0);
        kp::TkpPDFStreamReader reader(1, &source);
        for (;;) {
            reader.SkipWhitespace();
            if (reader.PeekByte() == kp::kEndOfData) break;
            auto object = reader.ReadObject();
            benchmark::DoNotOptimize(object.get());
            reader.ReadToken();  // endobj
            ++objects;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
    state.counters["objects/s"] = benchmark::Counter(static_cast<double>(objects), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParseIndirectObjects)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_ParseNumberArray(benchmark::State& state) {
    std::string body = "[";
    for (int i = 0; i < 200000; ++i) body += std::to_string(i % 1000) + (i % 3 ? " " : ".5 ");
    body += "]";
    pw::TMemoryStream source{std::string_view(body)};
    for (auto _ : state) {
        source.SetPosition(0);
        kp::TkpPDFStreamReader reader(1, &source);
        auto array = reader.ReadObject();
        benchmark::DoNotOptimize(array.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_ParseNumberArray)->Unit(benchmark::kMillisecond);

}  // namespace

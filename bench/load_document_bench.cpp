// Whole-document loads of the large real files in the shared bench folder: documents per second, MB/s of
// file, and the process's peak resident memory after the runs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fstream>
#include <iterator>
#include <string>

#include "engine/document/CustomPDFDocument.h"

namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

double PeakResidentMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadFile(benchmark::State& state, const std::string& name) {
    const std::string path = std::string(PAGEWREN_SHARED_BENCH) + "/" + name;
    const std::string bytes = ReadWhole(path);
    if (bytes.empty()) {
        state.SkipWithError(("cannot read " + path).c_str());
        return;
    }
    int pages = 0;
    for (auto _ : state) {
        kp::TkpCustomPDFDocument document;
        try {
            document.LoadFromFile(path);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            return;
        }
        pages = document.PageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.counters["docs/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pages"] = pages;
    state.counters["peakRSS_MB"] = PeakResidentMB();
}

const char* const kFiles[] = {
    "bench-groff-manpages.pdf", "bench-lo-writer-long.pdf", "bench-rl-canvas-long.pdf",
    "bench-pdflatex-objstm.pdf", "bench-q-objstm-manpages.pdf",
};

[[maybe_unused]] const bool kRegistered = [] {
    for (const char* file : kFiles) {
        benchmark::RegisterBenchmark(file, [file](benchmark::State& state) { BM_LoadFile(state, file); })
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace

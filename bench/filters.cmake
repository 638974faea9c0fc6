find_package(ZLIB REQUIRED)
pagewren_bench(bench_filters SOURCES filters_bench.cpp LIBS pagewren_filters ZLIB::ZLIB)

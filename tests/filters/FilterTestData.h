#pragma once
// Inputs for the decoder tests: byte strings written as numbers, sample data with runs and every byte
// value, and zlib streams made with zlib itself (so the decoder is never checked against its own encoder
// alone).

#include <zlib.h>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Streams.h"

namespace kp::test {

inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) out.push_back(static_cast<char>(v));
    return out;
}

// Deterministic data mixing random bytes (all 256 values), runs of one byte and runs of zeros, so that
// every branch of the encoders and decoders is met.
inline std::string SampleData(size_t size, uint32_t seed) {
    std::string out;
    out.reserve(size);
    uint32_t state = seed * 2654435761u + 1;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    while (out.size() < size) {
        const uint32_t r = next();
        const size_t run = 1 + (r >> 8) % 300;
        switch (r % 4) {
            case 0: out.append(run, static_cast<char>(r >> 24)); break;
            case 1: out.append(run, '\0'); break;
            default:
                for (size_t i = 0; i < run; ++i) out.push_back(static_cast<char>(next() >> 24));
        }
    }
    out.resize(size);
    return out;
}

// A zlib stream of data made by zlib's own compress2.
inline std::string ZlibCompress(std::string_view data, int level = Z_DEFAULT_COMPRESSION) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<uLong>(data.size()), level) != Z_OK) {
        throw std::runtime_error("compress2 failed");
    }
    out.resize(size);
    return out;
}

// A zlib stream of count zero bytes, made piece by piece so that the plain data never exist in memory.
inline std::string ZlibZeros(uint64_t count) {
    z_stream z{};
    deflateInit(&z, Z_BEST_COMPRESSION);
    static const Bytef zeros[65536] = {};
    std::string out;
    Bytef buffer[65536];
    int flush = Z_NO_FLUSH;
    do {
        const uint64_t piece = count < sizeof zeros ? count : sizeof zeros;
        count -= piece;
        z.next_in = const_cast<Bytef*>(zeros);
        z.avail_in = static_cast<uInt>(piece);
        flush = count == 0 ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = buffer;
            z.avail_out = sizeof buffer;
            deflate(&z, flush);
            out.append(reinterpret_cast<const char*>(buffer), sizeof buffer - z.avail_out);
        } while (z.avail_out == 0);
    } while (flush != Z_FINISH);
    deflateEnd(&z);
    return out;
}

inline std::string Text(const pw::TMemoryStream& stream) { return stream.ToString(); }

}  // namespace kp::test

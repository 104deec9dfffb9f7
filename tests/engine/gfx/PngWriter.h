#ifndef TESTS_ENGINE_GFX_PNGWRITER_H
#define TESTS_ENGINE_GFX_PNGWRITER_H

// Builds PNG files for test fixtures: 8-bit RGBA, unfiltered rows, deflate
// "stored" blocks (no compression), so no image library is needed.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace pngwriter {

inline uint32_t crc32(uint8_t const* p, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; i++) {
        crc ^= p[i];
        for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v >> 24);
    out.push_back(v >> 16);
    out.push_back(v >> 8);
    out.push_back(v);
}

inline void chunk(std::vector<uint8_t>& out, char const* type, std::vector<uint8_t> const& data) {
    put32(out, (uint32_t)data.size());
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    put32(out, crc32(body.data(), body.size()));
}

// rgba: w * h pixels, row 0 at the top, each as bytes R, G, B, A (the
// engine's packed pixel value 0xAABBGGRR on a little-endian machine).
inline std::vector<uint8_t> encode(int w, int h, std::vector<uint32_t> const& rgba) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> ihdr;
    put32(ihdr, (uint32_t)w);
    put32(ihdr, (uint32_t)h);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    chunk(out, "IHDR", ihdr);

    std::vector<uint8_t> raw;
    for (int y = 0; y < h; y++) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < w; x++) {
            uint32_t p = rgba[(size_t)y * w + x];
            raw.insert(raw.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
        }
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.insert(z.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

inline bool writeFile(std::string const& path, std::vector<uint8_t> const& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    // An empty vector's data() may be null, which fwrite must not be given.
    bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

} // namespace pngwriter

#endif

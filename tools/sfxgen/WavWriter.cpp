#include "tools/sfxgen/WavWriter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// WAV fields are little-endian whatever the host.
void put16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(v & 255);
    out.push_back((v >> 8) & 255);
}

void put32(std::vector<unsigned char>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool writeWav(const char* path, const std::vector<float>& samples, int rate) {
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<unsigned char> bytes;
    bytes.reserve(44 + dataBytes);
    putTag(bytes, "RIFF");
    put32(bytes, 36 + dataBytes);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    put32(bytes, 16); // size of the format chunk
    put16(bytes, 1);  // integer PCM
    put16(bytes, 1);  // channels
    put32(bytes, uint32_t(rate));
    put32(bytes, uint32_t(rate) * 2); // bytes per second
    put16(bytes, 2);                  // bytes per frame
    put16(bytes, 16);                 // bits per sample
    putTag(bytes, "data");
    put32(bytes, dataBytes);
    for (float s : samples) {
        long v = std::lrint(std::fmax(-1.0f, std::fmin(1.0f, s)) * 32767.0f);
        put16(bytes, uint32_t(v) & 0xffff);
    }

    std::string tmp = std::string(path) + ".tmp";
    FILE* f = fopen(tmp.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (fclose(f) != 0) ok = false;
    if (ok) ok = rename(tmp.c_str(), path) == 0;
    if (!ok) remove(tmp.c_str());
    return ok;
}

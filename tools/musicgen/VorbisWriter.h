#pragma once

#include <vector>

// Encodes mono float samples as an Ogg Vorbis file. The stream's final
// granule position equals the number of samples, so a decoder returns exactly
// as many samples as were given: the file can loop sample-accurately.
// serial fixes the Ogg stream serial number so equal input gives equal bytes.
// Writes to path + ".tmp" first and renames, so a failure leaves no half file.
bool writeOggVorbis(const char* path, const std::vector<float>& samples, int rate, float quality, int serial,
                    const char* title);

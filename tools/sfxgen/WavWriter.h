#pragma once

#include <vector>

// Writes mono float samples (1.0 = full scale) as a 16-bit PCM WAV file at
// rate Hz, rounding to the nearest step and clamping to full scale. Writes to
// path + ".tmp" first and renames, so a failure leaves no half file.
bool writeWav(const char* path, const std::vector<float>& samples, int rate);

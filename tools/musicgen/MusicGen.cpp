// Composes and renders the game's music and writes it as Ogg Vorbis.
// Usage: musicgen OUTPUT.ogg
// The output depends on nothing but this program: the same bytes every run.

#include "tools/musicgen/Song.h"
#include "tools/musicgen/VorbisWriter.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUTPUT.ogg\n", argv[0]);
        return 2;
    }
    Song song;
    song.compose();
    // -1 dBFS leaves room for the small overshoot that lossy coding adds.
    LoopBuffer mix = song.mixdown(0.89f);
    const int serial = 0x766c6e31; // fixed so the file is reproducible
    if (!writeOggVorbis(argv[1], mix.samples, 44100, 0.4f, serial, "Vorlane")) {
        fprintf(stderr, "musicgen: cannot write %s\n", argv[1]);
        return 1;
    }
    printf("musicgen: %s, %ld samples (%.2f s)\n", argv[1], mix.length, double(mix.length) / 44100.0);
    return 0;
}

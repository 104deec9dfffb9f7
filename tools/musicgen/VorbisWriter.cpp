#include "tools/musicgen/VorbisWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vorbis/vorbisenc.h>

namespace {

bool writePage(FILE* f, const ogg_page& page) {
    return fwrite(page.header, 1, page.header_len, f) == size_t(page.header_len) &&
           fwrite(page.body, 1, page.body_len, f) == size_t(page.body_len);
}

} // namespace

bool writeOggVorbis(const char* path, const std::vector<float>& samples, int rate, float quality, int serial,
                    const char* title) {
    std::string tmp = std::string(path) + ".tmp";
    FILE* f = fopen(tmp.c_str(), "wb");
    if (!f) return false;

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, rate, quality) != 0) {
        vorbis_info_clear(&vi);
        fclose(f);
        remove(tmp.c_str());
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title);
    vorbis_comment_add_tag(&vc, "ARTIST", "vorlane");

    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, serial);

    bool ok = true;
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    // The headers end on a page of their own so audio starts on a fresh page.
    while (ok && ogg_stream_flush(&os, &page)) ok = writePage(f, page);

    const long chunk = 4096;
    size_t pos = 0;
    bool ended = false;
    while (ok && !ended) {
        if (pos < samples.size()) {
            long n = long(std::min(size_t(chunk), samples.size() - pos));
            float** buffer = vorbis_analysis_buffer(&vd, n);
            std::memcpy(buffer[0], samples.data() + pos, sizeof(float) * size_t(n));
            vorbis_analysis_wrote(&vd, n);
            pos += size_t(n);
        } else {
            // End of input: the encoder closes the stream and sets the final granule.
            vorbis_analysis_wrote(&vd, 0);
        }
        while (ok && vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (ok && vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (ok && ogg_stream_pageout(&os, &page)) {
                    ok = writePage(f, page);
                    if (ogg_page_eos(&page)) ended = true;
                }
            }
        }
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    if (fclose(f) != 0) ok = false;
    if (ok) ok = rename(tmp.c_str(), path) == 0;
    if (!ok) remove(tmp.c_str());
    return ok;
}

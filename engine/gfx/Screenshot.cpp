#include "engine/gfx/Screenshot.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/Color.h"
#include "engine/util/NumberedFiles.h"

#include <GL/gl.h>

#include <cstring>
#include <unistd.h>

namespace quenth {

bool Screenshot::saveScreenshot(char const* path) {
    int w = Quenth::getScreenWidth();
    int h = Quenth::getScreenHeight();
    if (w < 1 || h < 1) return false;
    bool saved = false;
    SDL_Surface* gl =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, Color::rmask, Color::gmask, Color::bmask, 0);
    SDL_Surface* img =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, Color::rmask, Color::gmask, Color::bmask, 0);
    if (gl && img) {
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        // Surfaces of this size are unpadded (pitch w * 4), so GL's rows fit.
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, gl->pixels);
        // GL rows start at the bottom, BMP rows here at the top.
        for (int y = 0; y < h; y++)
            std::memcpy((char*)img->pixels + y * img->pitch, (char*)gl->pixels + (h - 1 - y) * gl->pitch,
                        w * 4);
        SDL_RWops* out = SDL_RWFromFile(path, "wb");
        if (out) saved = SDL_SaveBMP_RW(img, out, 1) == 0;
    }
    if (gl) SDL_FreeSurface(gl);
    if (img) SDL_FreeSurface(img);
    return saved;
}

std::string Screenshot::saveNumbered(NumberedFiles& series) {
    std::string tmp = series.temporaryPath();
    if (!saveScreenshot(tmp.c_str())) {
        unlink(tmp.c_str());
        return "";
    }
    return series.claim(tmp);
}

} // namespace quenth

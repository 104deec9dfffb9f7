#ifndef QUENTH_GFX_GFXUTIL_H
#define QUENTH_GFX_GFXUTIL_H

namespace quenth {

class Surface;
class ShaderProgram;

// Loading of shader programs from files and procedural drawing into Surfaces.
class GfxUtil {
public:
    // Builds a program from dir/name.vert, dir/name.geom and dir/name.frag,
    // skipping the files that do not exist; missing vertex or fragment stages
    // fall back to the built-in pair, so a program always comes back. The
    // Shader objects live for the rest of the run.
    static ShaderProgram* loadShaderFromDisk(char const* dir, char const* name);
    // Whether the current GL context offers the extension (a compatibility
    // context, which lists them all in one string). False without a context.
    static bool hasExtension(char const* name);

    // Opaque disc of the given radius around (cx, cy) whose red, green and
    // blue run from centerColor at the centre to edgeColor at the rim along
    // an ease-in-out curve; pixels beyond the radius or the surface are left.
    static void drawGradientCircle(Surface* s, int cx, int cy, int radius, unsigned edgeColor,
                                   unsigned centerColor);

    // Kept for the library's interface; nothing draws with them.
    static void drawGradientEllipse(Surface* s, int cx, int cy, int rx, int ry, unsigned edgeColor,
                                    unsigned centerColor);
    static void blurSurface(Surface* s, int radius);
    static void blurSurface(Surface* s, int x, int y, int w, int h, int radius);
};

} // namespace quenth

#endif

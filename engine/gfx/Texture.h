#ifndef QUENTH_GFX_TEXTURE_H
#define QUENTH_GFX_TEXTURE_H

#include "engine/gfx/GLObject.h"

namespace quenth {

class Surface;

// An OpenGL texture object with what drawing code needs to know of it. Image
// textures are padded to powers of two; uExtent and vExtent say how much of
// the texture the image covers, and drawing code scales its texture
// coordinates by them. Must be destroyed while the GL context exists. In a new
// context an image texture is uploaded again from the texels save() read back,
// a render target gets empty storage again.
class Texture : public GLObject {
public:
    unsigned unit;           // texture unit enum last used by bind (GL_TEXTURE0 + n)
    unsigned id;             // OpenGL texture name
    float uExtent;           // image width / texture width, 1 when the image fills it
    float vExtent;           // image height / texture height
    unsigned width;          // allocated texels; 0 for a texture without storage
    unsigned height;         // allocated texels; 0 for a texture without storage
    unsigned depth;          // texels in z; set only by the empty-texture constructor
    unsigned target;         // GL_TEXTURE_1D, GL_TEXTURE_2D or GL_TEXTURE_3D
    unsigned internalFormat; // format of the upload; GL_RGBA8 for images
    bool renderTarget;       // made empty by the second constructor; its texels are never kept
    unsigned* saved;         // width * height texels read back by save(), RGBA bytes; null otherwise

    // Bytes of texture storage alive, counted as width * height * 4 each.
    static unsigned usedMemory;

    // Image texture from s, padded to powers of two where needed; left bound.
    // A null s, or one whose padded size exceeds the GL's limit, gives a named
    // texture without storage (0 x 0, no memory counted).
    explicit Texture(Surface* s);
    // Empty render target of at least 8 x 8 (x 2 in depth for 3D textures).
    Texture(int w, int h, int d, unsigned target, unsigned internalFormat);
    ~Texture() override;

    Texture(Texture const&) = delete;
    Texture& operator=(Texture const&) = delete;

    // Makes unit active and binds this texture to its target there.
    void bind(unsigned unit);
    // Makes the stored unit active and binds texture 0 to the target there.
    void unbind();

    // True when the texture has storage (an image or a render target).
    bool hasStorage() const { return width > 0 && height > 0; }

    // Whether drawing code may bind t. A missing texture, or one without
    // storage (an image that failed to load), shows nothing: sampled, it
    // would read as opaque black.
    static bool usable(Texture const* t) { return t && t->hasStorage(); }

    // Makes unit active and binds no texture to its 2D target, so that what
    // is drawn next samples nothing left bound by earlier drawing.
    static void bindNone(unsigned unit);

    // Largest padded side an image texture may have: GL_MAX_TEXTURE_SIZE of
    // the current context, asked once.
    static unsigned maxSize();

    void save() override;
    void restore() override;
    void dropSaved() override;

private:
    // A new name with the sampling parameters of an image or a render target.
    void makeName();
    // Storage of the recorded size for a render target.
    void allocateTarget();
};

} // namespace quenth

#endif

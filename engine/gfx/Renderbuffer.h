#ifndef QUENTH_GFX_RENDERBUFFER_H
#define QUENTH_GFX_RENDERBUFFER_H

namespace quenth {

// A renderbuffer object, used as the depth attachment of a Framebuffer. Must
// be destroyed while the GL context exists.
class Renderbuffer {
public:
    unsigned id;     // OpenGL renderbuffer name, 0 once deleted
    unsigned width;  // pixels
    unsigned height; // pixels

    // Storage of internalFormat (e.g. GL_DEPTH_COMPONENT) and the given size.
    Renderbuffer(unsigned width, unsigned height, unsigned internalFormat);
    ~Renderbuffer();

    Renderbuffer(Renderbuffer const&) = delete;
    Renderbuffer& operator=(Renderbuffer const&) = delete;

    void bind() const;
};

} // namespace quenth

#endif

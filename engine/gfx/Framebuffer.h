#ifndef QUENTH_GFX_FRAMEBUFFER_H
#define QUENTH_GFX_FRAMEBUFFER_H

#include "engine/gfx/GLObject.h"

namespace quenth {

class Texture;
class Renderbuffer;

// A framebuffer object with up to four colour textures and a depth
// renderbuffer, all of the framebuffer's size and owned by it. Must be
// destroyed while the GL context exists. In a new context it is made again
// around its attachments (restored first, with empty contents).
class Framebuffer : public GLObject {
public:
    // Attachment flags of the constructor.
    enum {
        COLOR0 = 1, // colour texture at GL_COLOR_ATTACHMENT0_EXT
        COLOR1 = 2, // colour texture at GL_COLOR_ATTACHMENT1_EXT
        COLOR2 = 4, // colour texture at GL_COLOR_ATTACHMENT2_EXT
        COLOR3 = 8, // colour texture at GL_COLOR_ATTACHMENT3_EXT
        DEPTH = 16, // GL_DEPTH_COMPONENT renderbuffer at GL_DEPTH_ATTACHMENT_EXT
        ALL = 31
    };

    unsigned id;         // OpenGL framebuffer name
    unsigned width;      // pixels, the size of every attachment
    unsigned height;     // pixels
    Texture* color[4];   // GL_RGBA8 colour attachments 0-3, null where not requested; owned
    Renderbuffer* depth; // depth attachment or null; owned

    // Creates the attachments named by flags (bits above); leaves framebuffer 0
    // bound and the viewport as it was.
    Framebuffer(unsigned width, unsigned height, unsigned flags);
    ~Framebuffer() override;

    // Binds this framebuffer and sets the viewport to its size.
    void bind() const;
    // Same as unbindFB().
    void unbind() const;
    // Binds the window's framebuffer and sets the viewport to the window size.
    static void unbindFB();
    // Copies the first colour image whole into framebuffer target (0: the
    // window) with its lower left corner at (x, y), and leaves target bound;
    // the viewport is not touched. False, with nothing done, where the GL
    // cannot copy between framebuffers.
    bool copyTo(unsigned target, int x, int y) const;
    // The GL can copy between framebuffers (GL_EXT_framebuffer_blit).
    static bool canCopy();

    void restore() override;

private:
    // Makes the framebuffer object and attaches the existing attachments.
    void attach();
};

} // namespace quenth

#endif

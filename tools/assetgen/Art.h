// The generator's pieces: each adds the jobs that draw and write its pictures.
#pragma once

#include <cairo.h>
#include <functional>
#include <string>
#include <vector>

class Image;

// Where the pictures go and where the glyph outlines come from.
struct Paths {
    std::string gfx;   // the game's gfx/ directory
    std::string icons; // root of the hicolor icon tree
    std::string fonts; // directory holding the DejaVu TrueType files
};

using Job = std::function<void()>;

struct Rgb {
    float r, g, b; // 0..1
};

void addShipJobs(std::vector<Job>& jobs, const Paths& paths);
void addPlayerJobs(std::vector<Job>& jobs, const Paths& paths);
void addEffectJobs(std::vector<Job>& jobs, const Paths& paths);
void addPowerupJobs(std::vector<Job>& jobs, const Paths& paths);
void addSkyJobs(std::vector<Job>& jobs, const Paths& paths);
void addHudJobs(std::vector<Job>& jobs, const Paths& paths);
void addFontJobs(std::vector<Job>& jobs, const Paths& paths);
void addTitleJobs(std::vector<Job>& jobs, const Paths& paths);

// Writes the picture or ends the program with a message: a build step must not
// leave half its outputs behind silently.
void save(const Image& img, const std::string& path, bool alpha);

// Drawing helpers shared by the pieces.
void setColor(cairo_t* cr, Rgb c, double a = 1.0);
Rgb mix(Rgb a, Rgb b, float t);
Rgb scaled(Rgb c, float k);
// Light (the colour channels of img, on black) as colour with coverage: alpha
// is the light's strongest channel and the colour its hue at full strength.
// Drawn additively (source alpha, one) it adds exactly the light; alpha-blended
// it still reads as a glow. Every glow and light sprite is written this way:
// the world is drawn into an off-screen image whose alpha weighs it when laid
// over the window, and an opaque black square round a glow would raise that
// alpha and so brighten the sky behind it in a visible square.
Image asCoverage(const Image& img);

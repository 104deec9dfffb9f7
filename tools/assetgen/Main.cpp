// Draws every picture the game reads (gfx/) and the desktop icons, from code.
// Usage: assetgen GFX_DIR ICON_DIR FONT_DIR
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Image.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

void save(const Image& img, const std::string& path, bool alpha) {
    if (!img.savePng(path, alpha)) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

void setColor(cairo_t* cr, Rgb c, double a) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, a);
}

Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

Image asCoverage(const Image& img) {
    Image r = img;
    for (size_t i = 0; i < r.p.size(); i += 4) {
        float* p = &r.p[i];
        p[3] = std::min(1.0f, std::max(p[0], std::max(p[1], p[2])));
        for (int c = 0; c < 3; ++c) p[c] = std::min(p[c], p[3]);
    }
    return r;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s GFX_DIR ICON_DIR FONT_DIR\n", argv[0]);
        return 2;
    }
    Paths paths{argv[1], argv[2], argv[3]};
    std::error_code ec;
    std::filesystem::create_directories(paths.gfx, ec);
    for (const char* size : {"48x48", "128x128", "256x256"})
        std::filesystem::create_directories(paths.icons + "/" + size + "/apps", ec);

    std::vector<Job> jobs;
    addSkyJobs(jobs, paths);
    addPowerupJobs(jobs, paths);
    addShipJobs(jobs, paths);
    addPlayerJobs(jobs, paths);
    addEffectJobs(jobs, paths);
    addHudJobs(jobs, paths);
    addFontJobs(jobs, paths);
    addTitleJobs(jobs, paths);

    // Every job writes its own files, so the order the workers take them in
    // does not change a byte of the output.
    std::atomic<size_t> nextJob{0};
    auto worker = [&] {
        for (size_t i; (i = nextJob++) < jobs.size();) jobs[i]();
    };
    unsigned n = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < n; ++t) threads.emplace_back(worker);
    worker();
    for (auto& t : threads) t.join();
    return 0;
}

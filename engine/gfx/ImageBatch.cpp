#include "engine/gfx/ImageBatch.h"

#include "engine/gfx/ImageLoader.h"
#include "engine/gfx/Surface.h"
#include "engine/util/StartupTrace.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quenth {

ImageBatch::ImageBatch(std::vector<std::string> const& paths, int threads) : next(0), stopping(false) {
    items.reserve(paths.size());
    for (std::string const& p : paths) items.push_back(Item{p, false, nullptr, nullptr});
    // SDL_image loads its PNG library at the first PNG it is asked for, and
    // that first call is not safe on two threads at once.
    IMG_Init(IMG_INIT_PNG);
    // SDL threads, not std::thread: SDL 1.2 gives each of its own threads a
    // buffer of its own for SDL_GetError, which failing decodes write.
    for (int t = 0; t < threads && t < (int)items.size(); t++) {
        SDL_Thread* w = SDL_CreateThread(work, this);
        if (w) workers.push_back(w);
    }
}

ImageBatch::~ImageBatch() {
    stopping.store(true);
    for (SDL_Thread* w : workers) SDL_WaitThread(w, nullptr);
    for (Item& it : items) {
        delete it.image;
        if (it.raw) SDL_FreeSurface(it.raw);
    }
}

bool ImageBatch::decodeNext() {
    unsigned i = next.fetch_add(1);
    if (i >= items.size()) return false;
    Item& it = items[i];
    double began = StartupTrace::now();
    SDL_Surface* raw = ImageLoader::decode(it.path.c_str());
    // Colour keys are applied by take(): the same pixels either way.
    Surface* image = ImageLoader::isPlain(raw) ? ImageLoader::fromDecoded(raw, false) : nullptr;
    StartupTrace::note("decode", it.path.c_str(), began);
    {
        std::lock_guard<std::mutex> hold(lock);
        it.image = image;
        it.raw = image ? nullptr : raw;
        it.done = true;
    }
    finished.notify_all();
    return true;
}

int ImageBatch::work(void* batch) {
    // Five steps nicer than the process (on Linux a thread has a niceness of
    // its own): the window opening on the main thread meanwhile is what the
    // player waits for, and decoding fills the time it leaves. Measured with
    // tools/startup-time.sh on two cores, a median 25-180 ms sooner.
    setpriority(PRIO_PROCESS, (id_t)syscall(SYS_gettid), getpriority(PRIO_PROCESS, 0) + 5);
    ImageBatch* b = static_cast<ImageBatch*>(batch);
    while (!b->stopping.load() && b->decodeNext()) {}
    return 0;
}

Surface* ImageBatch::take(unsigned i, bool colorKey) {
    Surface* image = nullptr;
    SDL_Surface* raw = nullptr;
    if (i < items.size()) {
        // Items are begun in order: while i has not been begun, the next
        // item not begun is i or one before it.
        while (next.load() <= i && decodeNext()) {}
        std::unique_lock<std::mutex> hold(lock);
        finished.wait(hold, [&] { return items[i].done; });
        std::swap(image, items[i].image);
        std::swap(raw, items[i].raw);
    }
    if (raw)
        image = ImageLoader::fromDecoded(raw, colorKey);
    else if (image && colorKey)
        image->replaceColor(image->getPixel(0, 0), 0);
    ImageLoader::lastError = image ? ImageLoader::OK : ImageLoader::FILE_FAILED;
    return image;
}

} // namespace quenth

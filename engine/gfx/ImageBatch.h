#ifndef QUENTH_GFX_IMAGEBATCH_H
#define QUENTH_GFX_IMAGEBATCH_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

struct SDL_Surface;
struct SDL_Thread;

namespace quenth {

class Surface;

// Image files decoded on worker threads while the caller takes them one by
// one, e.g. to make each a texture while the next ones decode. Files are
// decoded in the order given, each by the first thread free; the workers
// need no window, so a batch can start before it opens. take() gives what
// ImageLoader::load gives for the same file, pixel for pixel, and fails as
// it does.
//
//     ImageBatch batch(paths, 2);
//     Surface* s = batch.take(0, false); // waits for the first file
class ImageBatch {
public:
    // Starts decoding paths on the given number of worker threads (none
    // when threads < 1 or no thread can be made: then take() decodes).
    ImageBatch(std::vector<std::string> const& paths, int threads);
    // Stops the workers once each has finished its file, waits for them
    // and frees every image not taken.
    ~ImageBatch();

    ImageBatch(ImageBatch const&) = delete;
    ImageBatch& operator=(ImageBatch const&) = delete;

    // The number of files.
    unsigned size() const { return (unsigned)items.size(); }
    // Image i as ImageLoader::load(path i, colorKey) gives it, waiting until
    // it is decoded, with ImageLoader::lastError set as load sets it; null on
    // failure, and for an i out of range or taken before. While it waits,
    // the calling thread decodes files no worker has begun. Call it from the
    // thread that set the video mode (images of rare layouts are converted
    // through the display's format here).
    Surface* take(unsigned i, bool colorKey);

private:
    struct Item {
        std::string path; // the file
        bool done;        // decoding has ended, well or not (guarded by lock)
        Surface* image;   // the result, for an image of a plain layout; owned until taken
        SDL_Surface* raw; // the decoded image of another layout; owned until taken
    };

    std::vector<Item> items;          // in the order given; the paths never change
    std::mutex lock;                  // guards the items' results
    std::condition_variable finished; // an item became done
    std::atomic<unsigned> next;       // the first item no thread has begun
    std::atomic<bool> stopping;       // the workers begin no further item
    std::vector<SDL_Thread*> workers; // the threads started

    // Decodes the next item not begun, if any; false when none was left.
    bool decodeNext();
    static int work(void* batch);
};

} // namespace quenth

#endif

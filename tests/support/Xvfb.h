#ifndef TESTSUPPORT_XVFB_H
#define TESTSUPPORT_XVFB_H

#include <string>
#include <sys/types.h>

namespace testsupport {

// A private X server (Xvfb, 1280 x 720 x 24 unless told otherwise) for one test. The server picks a
// free display number itself; the destructor stops it.
class Xvfb {
public:
    // Starts the server with a screen of the given WxHxDEPTH and waits up to
    // timeoutMs for it to accept clients. ok() tells whether that worked.
    explicit Xvfb(int timeoutMs = 10000, std::string const& screen = "1280x720x24");
    ~Xvfb();

    Xvfb(Xvfb const&) = delete;
    Xvfb& operator=(Xvfb const&) = delete;

    bool ok() const { return !displayName.empty(); }
    // ":N", for DISPLAY.
    std::string const& display() const { return displayName; }

private:
    pid_t pid;               // the server process, 0 when none
    std::string displayName; // ":N", empty when the server did not start
};

} // namespace testsupport

#endif

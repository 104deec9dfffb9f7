#ifndef VORLANE_APP_FRAMEPACER_H
#define VORLANE_APP_FRAMEPACER_H

// Holds the frame rate at 60 Hz where nothing else does: when the buffer swap
// does not wait for the display (no vertical sync, as on software GL or with
// sync turned off), a frame that is done early sleeps out the rest of its
// 1/60 s. A frame that waited for the display, or took longer, owes nothing.
class FramePacer {
public:
    double period; // ms per frame, 1000 / 60
    double due;    // ms (any steady clock) at which the current frame may end; 0 before the first

    FramePacer();
    // How long to sleep, ms, after a frame that ended at now. A frame more
    // than one period late starts the schedule again from now, so that one
    // slow frame is not followed by a burst of fast ones.
    double delay(double now);
};

#endif

#include "app/FramePacer.h"

FramePacer::FramePacer() : period(1000.0 / 60.0), due(0) {}

double FramePacer::delay(double now) {
    double wait = 0;
    if (due == 0 || now - due > period)
        due = now;
    else if (due > now)
        wait = due - now;
    due += period;
    return wait;
}

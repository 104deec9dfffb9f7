// The program: the player's settings, start-up, and the frame loop of the
// shell (title page, menus, play, pause, game over) until the player quits.

#include "app/Shell.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Texture.h"

#include <cstdio>
#include <ctime>

int main() {
    // Line by line, so that the loading log shows as it happens also when
    // standard output is a pipe or a file.
    setvbuf(stdout, nullptr, _IOLBF, 0);

    g_shell = new Shell();
    g_shell->settings.load();
    g_shell->startUp(1280, 720, true, true, "Vorlane - Unfinished KVT '11 version", (int)time(nullptr));
    Shell::loadMusic();
    printf("Used texture memory: %f megabytes\n", (float)quenth::Texture::usedMemory * 9.5367431640625e-07);

    g_shell->run();
    quenth::Quenth::quit();
    return 0;
}

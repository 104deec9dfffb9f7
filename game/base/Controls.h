#ifndef VORLANE_GAME_CONTROLS_H
#define VORLANE_GAME_CONTROLS_H

#include "engine/math/vec2.h"

#include <SDL/SDL_keysym.h>

// What the player asks for, from the keyboard, the mouse and the first
// gamepad, read from the engine's input snapshots of the frame: the game and
// its menus read this instead of raw keys. Without a pad the pad reads
// centred and released and changes nothing.
//
// The pad follows the Linux gamepad layout that SDL 1.2 numbers in this order
// (Xbox-style pads; PlayStation pads, which add trigger buttons, are told
// apart by their button count): left stick thrusts, right stick aims (the
// reticle circles the ship), right shoulder or trigger fires plasma, left
// laser, Start pauses; in menus the d-pad or the left stick moves, A chooses,
// B (or Back) goes back.
class Controls {
public:
    // Axes as SDL 1.2 numbers them on such pads.
    static int const AXIS_LEFT_X = 0, AXIS_LEFT_Y = 1, AXIS_LEFT_TRIGGER = 2;
    static int const AXIS_RIGHT_X = 3, AXIS_RIGHT_Y = 4, AXIS_RIGHT_TRIGGER = 5;
    // Buttons common to both layouts.
    static int const BUTTON_A = 0, BUTTON_B = 1, BUTTON_LEFT_SHOULDER = 4, BUTTON_RIGHT_SHOULDER = 5;

    SDLKey keyUp, keyDown, keyLeft, keyRight; // thrust keys besides the arrows; default w, s, a, d
    int deadZone;                             // axis units (of 32767) around the centre read as centred
    int pushThreshold;                        // axis units a stick passes to move a menu, a trigger to fire
    float aimRadius;                          // pixels from the ship to the reticle the right stick places
    bool padAiming;                           // the right stick moved after the mouse: aim() circles the ship
    quenth::vec2 padAim;                      // the right stick's last direction, unit length

    Controls();
    // The four thrust keys (the player's settings).
    void bindThrustKeys(SDLKey up, SDLKey down, SDLKey left, SDLKey right);

    // Play.
    // Thrust in screen directions (y down), each axis -1..1: a key gives a
    // whole axis, the left stick (and the d-pad) add to the keys.
    quenth::vec2 thrust() const;
    bool firePlasma() const; // left mouse button, right shoulder or trigger held
    bool fireLaser() const;  // right mouse button, left shoulder or trigger held
    // The point aimed at, in window pixels: the mouse, or, once the right
    // stick moves (until the mouse moves again), aimRadius from ship (the
    // ship's place on screen) along the stick's last direction.
    quenth::vec2 aim(quenth::vec2 const& ship);
    // aim() for a ship at a point of the world, seen through the world
    // scene's camera (the image of it nearest the camera).
    quenth::vec2 aimFrom(quenth::vec2 const& shipInWorld);
    // P, Pause or Escape pressed, or Start: pause, or resume from the pause.
    bool pausePressed() const;

    // Menus: each is a press in this frame (a stick counts when it crosses
    // pushThreshold). Up and down: the arrows, the up and down thrust keys,
    // the d-pad, the left stick; left and right likewise.
    bool menuUp() const;
    bool menuDown() const;
    bool menuLeft() const;
    bool menuRight() const;
    bool menuChoose() const; // Return, keypad Enter, Space, pad A
    bool menuBack() const;   // Escape, pad B or Back

    // A stick axis with the dead zone taken out, scaled to -1..1.
    float stick(int axis) const;
    // The Start and Back buttons of the pad in use (PlayStation-style pads
    // number them after their two trigger buttons).
    static int startButton();
    static int backButton();

private:
    // The pad's axis went past pushThreshold towards sign in this frame.
    bool pushed(int axis, int sign) const;
    // A d-pad direction (SDL_HAT_* bit) went down in this frame.
    static bool hatPressed(unsigned bit);
    // A trigger, as an axis or as a button, is held.
    bool trigger(int axis, int button) const;
};

// The controls of the program, read by the game and the menus.
extern Controls g_controls;

#endif

#include "engine/core/Quenth.h"
#include "tests/support/AllocCounter.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

using quenth::Quenth;

namespace {

// Drives the snapshot logic on a GEvent without an event thread: the test
// writes the live words itself, as the event thread would.
class InputTest : public ::testing::Test {
protected:
    Quenth::GEvent ev;
    Quenth::GEvent* saved = nullptr;

    void SetUp() override {
        saved = Quenth::events;
        Quenth::events = &ev;
    }
    void TearDown() override { Quenth::events = saved; }

    void setKey(int k, bool down) {
        uint32_t bit = 1u << (k & 31);
        uint32_t w = ev.keysLive[k >> 5].load();
        ev.keysLive[k >> 5].store(down ? (w | bit) : (w & ~bit));
    }
    void setButton(int b, bool down) {
        uint32_t w = ev.buttonsLive.load();
        ev.buttonsLive.store(down ? (w | (1u << b)) : (w & ~(1u << b)));
    }
};

TEST_F(InputTest, KeyEdgesAreSeenInExactlyOneFrame) {
    const int keys[] = {SDLK_a, SDLK_ESCAPE, SDLK_F1, SDLK_KP_ENTER, 511};
    for (int k : keys) {
        int pressed = 0, released = 0, down = 0;
        setKey(k, true);
        for (int f = 0; f < 5; f++) {
            ev.update();
            pressed += Quenth::keyPressed(k);
            released += Quenth::keyReleased(k);
            down += Quenth::keyDown(k);
        }
        setKey(k, false);
        for (int f = 0; f < 5; f++) {
            ev.update();
            pressed += Quenth::keyPressed(k);
            released += Quenth::keyReleased(k);
            down += Quenth::keyDown(k);
        }
        EXPECT_EQ(pressed, 1) << "key " << k;
        EXPECT_EQ(released, 1) << "key " << k;
        EXPECT_EQ(down, 5) << "key " << k;
    }
}

TEST_F(InputTest, PressAndReleaseBetweenSnapshotsAreNotSeen) {
    ev.update();
    setKey(SDLK_RETURN, true);
    setKey(SDLK_RETURN, false);
    ev.update();
    EXPECT_FALSE(Quenth::keyPressed(SDLK_RETURN));
    EXPECT_FALSE(Quenth::keyDown(SDLK_RETURN));
    EXPECT_FALSE(Quenth::keyReleased(SDLK_RETURN));
}

TEST_F(InputTest, KeysAreIndependentBits) {
    setKey(SDLK_w, true);
    ev.update();
    EXPECT_TRUE(Quenth::keyDown(SDLK_w));
    EXPECT_FALSE(Quenth::keyDown(SDLK_w + 1));
    EXPECT_FALSE(Quenth::keyDown(SDLK_w - 1));
    EXPECT_FALSE(Quenth::keyDown(SDLK_w + 32));
}

TEST_F(InputTest, OutOfRangeKeysAndButtonsAreFalse) {
    // Everything held, then everything released: only in-range codes answer.
    for (auto& w : ev.keysLive) w.store(0xffffffffu);
    ev.buttonsLive.store(0xffffffffu);
    ev.update();
    EXPECT_TRUE(Quenth::keyDown(0));
    EXPECT_TRUE(Quenth::keyDown(511));
    EXPECT_TRUE(Quenth::mouseDown(31));
    for (int k : {-1, 512, 100000, -100000}) {
        EXPECT_FALSE(Quenth::keyDown(k)) << k;
        EXPECT_FALSE(Quenth::keyPressed(k)) << k;
    }
    for (int b : {-1, 32, 64}) {
        EXPECT_FALSE(Quenth::mouseDown(b)) << b;
        EXPECT_FALSE(Quenth::mousePressed(b)) << b;
    }
    for (auto& w : ev.keysLive) w.store(0);
    ev.buttonsLive.store(0);
    ev.update();
    EXPECT_TRUE(Quenth::keyReleased(511));
    EXPECT_TRUE(Quenth::mouseReleased(1));
    EXPECT_FALSE(Quenth::keyReleased(512));
    EXPECT_FALSE(Quenth::keyReleased(-1));
    EXPECT_FALSE(Quenth::mouseReleased(32));
    EXPECT_FALSE(Quenth::mouseReleased(-1));
}

TEST_F(InputTest, ButtonsAndPointerFollowTheSnapshots) {
    ev.mouseLiveX.store(100);
    ev.mouseLiveY.store(200);
    setButton(SDL_BUTTON_RIGHT, true);
    ev.update();
    EXPECT_EQ(Quenth::mouseX(), 100);
    EXPECT_EQ(Quenth::mouseY(), 200);
    EXPECT_TRUE(Quenth::mousePressed(SDL_BUTTON_RIGHT));
    EXPECT_TRUE(Quenth::mouseDown(SDL_BUTTON_RIGHT));
    EXPECT_FALSE(Quenth::mouseDown(SDL_BUTTON_LEFT));

    // Live changes are invisible until the next snapshot.
    ev.mouseLiveX.store(7);
    setButton(SDL_BUTTON_RIGHT, false);
    EXPECT_EQ(Quenth::mouseX(), 100);
    EXPECT_TRUE(Quenth::mouseDown(SDL_BUTTON_RIGHT));

    ev.update();
    EXPECT_EQ(Quenth::mouseX(), 7);
    EXPECT_EQ(ev.mousePrevX, 100);
    EXPECT_FALSE(Quenth::mousePressed(SDL_BUTTON_RIGHT));
    EXPECT_TRUE(Quenth::mouseReleased(SDL_BUTTON_RIGHT));
    ev.update();
    EXPECT_FALSE(Quenth::mouseReleased(SDL_BUTTON_RIGHT));
}

// Typed text reaches one snapshot, in order, at most a ring's worth of it,
// and only while asked for; turning it on again forgets what waited.
TEST_F(InputTest, TypedTextComesOnceInOrderAndOnlyWhileWanted) {
    Quenth::textInput(true);
    for (char c : std::string("Jo\bx\r")) ev.type(c);
    ev.update();
    EXPECT_STREQ(Quenth::typed(), "Jo\bx\r");
    ev.update();
    EXPECT_STREQ(Quenth::typed(), "");

    std::string many;
    for (int i = 0; i < 40; ++i) many += (char)('A' + i % 26);
    for (char c : many) ev.type(c);
    ev.update();
    EXPECT_EQ(std::string(Quenth::typed()), many.substr(0, Quenth::GEvent::TYPED_MAX));
    // The ring wraps round its end.
    ev.type('z');
    ev.update();
    EXPECT_STREQ(Quenth::typed(), "z");

    ev.type('q');
    Quenth::textInput(false);
    ev.update();
    EXPECT_STREQ(Quenth::typed(), "");
    Quenth::textInput(true);
    ev.update();
    EXPECT_STREQ(Quenth::typed(), "") << "text typed before it was asked for came through";
    Quenth::textInput(false);
}

TEST(QuenthNoInit, QueriesWithoutInputStateAreFalse) {
    Quenth::GEvent* saved = Quenth::events;
    Quenth::events = nullptr;
    EXPECT_FALSE(Quenth::keyDown(SDLK_a));
    EXPECT_FALSE(Quenth::keyPressed(SDLK_a));
    EXPECT_FALSE(Quenth::mouseDown(1));
    EXPECT_EQ(Quenth::mouseX(), 0);
    Quenth::events = saved;
}

// The rest needs a real window, GL context and event thread.

bool waitForKey(int key, bool down) {
    for (int i = 0; i < 200; i++) {
        Quenth::update();
        if (Quenth::keyDown(key) == down) return true;
        SDL_Delay(5);
    }
    return false;
}

TEST(QuenthLive, EventThreadFeedsTheSnapshots) {
    testsupport::ensureGLContext();
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_d;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    ASSERT_TRUE(waitForKey(SDLK_d, true));
    e.type = SDL_KEYUP;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    ASSERT_TRUE(waitForKey(SDLK_d, false));

    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 321;
    e.motion.y = 123;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    bool seen = false;
    for (int i = 0; i < 200 && !seen; i++) {
        Quenth::update();
        seen = Quenth::mouseDown(SDL_BUTTON_LEFT) && Quenth::mouseX() == 321 && Quenth::mouseY() == 123;
        SDL_Delay(5);
    }
    EXPECT_TRUE(seen);
}

// While text is asked for, key presses become characters in the order they
// came: printable ones as SDL translates them, Backspace and Return by their
// symbol; key releases and keys without a character give none.
TEST(QuenthLive, EventThreadTurnsKeyPressesIntoTypedText) {
    testsupport::ensureGLContext();
    Quenth::textInput(true);
    SDL_Delay(50); // the event thread takes the request at its next poll
    auto push = [](Uint8 type, int sym, Uint16 unicode) {
        SDL_Event e;
        std::memset(&e, 0, sizeof e);
        e.type = type;
        e.key.keysym.sym = (SDLKey)sym;
        e.key.keysym.unicode = unicode;
        return SDL_PushEvent(&e) == 0;
    };
    ASSERT_TRUE(push(SDL_KEYDOWN, SDLK_a, 'A'));
    ASSERT_TRUE(push(SDL_KEYUP, SDLK_a, 'A'));
    ASSERT_TRUE(push(SDL_KEYDOWN, SDLK_LSHIFT, 0));
    ASSERT_TRUE(push(SDL_KEYDOWN, SDLK_BACKSPACE, 0));
    ASSERT_TRUE(push(SDL_KEYDOWN, SDLK_KP_ENTER, 0));
    ASSERT_TRUE(push(SDL_KEYDOWN, SDLK_WORLD_0, 0xe9));
    std::string got;
    for (int i = 0; i < 200 && got.size() < 3; i++) {
        Quenth::update();
        got += Quenth::typed();
        SDL_Delay(5);
    }
    EXPECT_EQ(got, "A\b\r");
    Quenth::textInput(false);
}

// Window events reach the frame that follows them, once: losing the input
// focus or being iconified (not the pointer leaving), and a request to draw
// the window again.
TEST(QuenthLive, FocusLossAndExposureAreSeenInOneFrame) {
    testsupport::ensureGLContext();
    auto push = [](Uint8 type, Uint8 gain, Uint8 state) {
        SDL_Event e;
        std::memset(&e, 0, sizeof e);
        e.type = type;
        e.active.gain = gain;
        e.active.state = state;
        return SDL_PushEvent(&e) == 0;
    };
    // Frames until the query has been true once and false again; how often it was true.
    auto seen = [](bool (*query)()) {
        int n = 0;
        for (int i = 0; i < 40; i++) {
            Quenth::update(false);
            n += query();
            SDL_Delay(5);
        }
        return n;
    };
    // The window system's own events of a new window come first.
    for (int quiet = 0, i = 0; quiet < 20 && i < 400; i++) {
        Quenth::update(false);
        quiet = Quenth::exposed() || Quenth::focusLost() ? 0 : quiet + 1;
        SDL_Delay(5);
    }
    ASSERT_TRUE(push(SDL_ACTIVEEVENT, 0, SDL_APPMOUSEFOCUS));
    ASSERT_TRUE(push(SDL_ACTIVEEVENT, 1, SDL_APPINPUTFOCUS));
    EXPECT_EQ(seen(Quenth::focusLost), 0) << "the pointer leaving or the focus coming back counted";
    ASSERT_TRUE(push(SDL_ACTIVEEVENT, 0, SDL_APPINPUTFOCUS));
    EXPECT_EQ(seen(Quenth::focusLost), 1);
    ASSERT_TRUE(push(SDL_ACTIVEEVENT, 0, SDL_APPACTIVE));
    EXPECT_EQ(seen(Quenth::focusLost), 1) << "iconifying did not count";
    // A late exposure of the window system's own may join the one pushed.
    ASSERT_TRUE(push(SDL_VIDEOEXPOSE, 0, 0));
    EXPECT_GE(seen(Quenth::exposed), 1);
}

TEST(QuenthLive, EventThreadRecordsTheFirstPadOnly) {
    testsupport::ensureGLContext();
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_JOYAXISMOTION;
    e.jaxis.axis = 3;
    e.jaxis.value = -20000;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    e.jaxis.which = 1; // a second pad is not read
    e.jaxis.value = 999;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    std::memset(&e, 0, sizeof e);
    e.type = SDL_JOYBUTTONDOWN;
    e.jbutton.button = 7;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    std::memset(&e, 0, sizeof e);
    e.type = SDL_JOYHATMOTION;
    e.jhat.value = SDL_HAT_LEFT;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    bool seen = false;
    for (int i = 0; i < 200 && !seen; i++) {
        Quenth::update();
        seen = Quenth::padButtonDown(7) && Quenth::padHat() == SDL_HAT_LEFT;
        SDL_Delay(5);
    }
    ASSERT_TRUE(seen);
    EXPECT_EQ(Quenth::padAxis(3), -20000);
    EXPECT_EQ(Quenth::padAxis(0), 0);
    EXPECT_EQ(Quenth::padAxis(Quenth::GEvent::PAD_AXES), 0);
    EXPECT_FALSE(Quenth::padButtonDown(32));

    std::memset(&e, 0, sizeof e);
    e.type = SDL_JOYBUTTONUP;
    e.jbutton.button = 7;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    bool released = false;
    for (int i = 0; i < 200 && !released; i++) {
        Quenth::update();
        released = !Quenth::padButtonDown(7);
        SDL_Delay(5);
    }
    EXPECT_TRUE(released);
    EXPECT_EQ(Quenth::padAxis(3), -20000); // axes stay where they were last put
}

TEST(QuenthLive, FrameClockNeverReportsAZeroFrame) {
    testsupport::ensureGLContext();
    uint32_t frames = Quenth::framenum;
    for (int i = 0; i < 20; i++) {
        Quenth::update();
        uint32_t dt = Quenth::currentTime - Quenth::lastTime;
        EXPECT_GE(dt, 1u);
        EXPECT_FLOAT_EQ(Quenth::sync, 0.001f * dt);
        EXPECT_EQ(Quenth::sync16, (int)(dt * 65.536));
    }
    EXPECT_EQ(Quenth::framenum, frames + 20);

    // Make the previous tick count "now", so that update reads the same
    // millisecond again: the one-millisecond retry must lift the frame to 1 ms.
    for (int i = 0; i < 20; i++) {
        Quenth::tm_current = SDL_GetTicks();
        Quenth::update();
        EXPECT_GE(Quenth::currentTime - Quenth::lastTime, 1u);
        EXPECT_GE(Quenth::sync, 0.001f);
        EXPECT_GE(Quenth::sync16, 65);
    }
}

TEST(QuenthLive, FrameClockMeasuresTheFrame) {
    testsupport::ensureGLContext();
    Quenth::update();
    uint32_t before = SDL_GetTicks();
    SDL_Delay(50);
    Quenth::update();
    uint32_t dt = Quenth::currentTime - Quenth::lastTime;
    EXPECT_GE(dt, 50u);
    EXPECT_GE(Quenth::currentTime, before + 50);
    EXPECT_EQ(Quenth::sync16, (int)(dt * 65.536));
    EXPECT_NEAR(Quenth::sync, dt / 1000.0f, 1e-6);
    // 50 ms is 3276.8 in 16.16 fixed point.
    EXPECT_GE(Quenth::sync16, 3276);
}

TEST(QuenthLive, FramesAllocateNothing) {
    testsupport::ensureGLContext();
    Quenth::update();
    // The counter itself must see allocations, or the check below proves nothing.
    testsupport::AllocScope probe;
    int* volatile p = new int(1);
    delete p;
    EXPECT_EQ(probe.count(), 1u);

    testsupport::AllocScope scope;
    for (int i = 0; i < 20; i++) {
        Quenth::update();
        Quenth::keyPressed(SDLK_a);
        Quenth::mouseDown(1);
    }
    EXPECT_EQ(scope.count(), 0u);
}

TEST(QuenthLive, FillScreenCoversTheViewport) {
    testsupport::ensureGLContext();
    testsupport::resetGLState();
    testsupport::clearBackBuffer(0, 0, 0, 1);
    Quenth::fillScreen();
    for (auto p : {testsupport::readBackPixel(0, 0), testsupport::readBackPixel(1279, 719),
                   testsupport::readBackPixel(640, 360), testsupport::readBackPixel(0, 719)}) {
        EXPECT_EQ(p.r, 255);
        EXPECT_EQ(p.g, 255);
        EXPECT_EQ(p.b, 255);
    }
    // Restricted to a viewport, it covers only that.
    testsupport::clearBackBuffer(0, 0, 0, 1);
    glViewport(0, 0, 640, 720);
    Quenth::fillScreen();
    EXPECT_EQ(testsupport::readBackPixel(100, 100).r, 255);
    EXPECT_EQ(testsupport::readBackPixel(1000, 100).r, 0);
    testsupport::resetGLState();
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

// Process-level behaviour runs in a child process of its own.
class QuenthProcess : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(QuenthProcess, DefaultSizeAndCaption) {
    EXPECT_EXIT(
        {
            testsupport::startSDLVideo();
            Quenth::init(0, -5, nullptr, false, false);
            char* caption = nullptr;
            SDL_WM_GetCaption(&caption, nullptr);
            SDL_Surface* s = SDL_GetVideoSurface();
            bool ok = Quenth::getScreenWidth() == 640 && Quenth::getScreenHeight() == 480 && s &&
                      s->w == 640 && s->h == 480 && caption && std::strcmp(caption, "Demo") == 0;
            std::exit(ok ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(QuenthProcess, WindowCloseExitsAtTheNextUpdate) {
    EXPECT_EXIT(
        {
            testsupport::startSDLVideo();
            Quenth::init(320, 200, "close", false, false);
            Quenth::update();
            SDL_Event e;
            std::memset(&e, 0, sizeof e);
            e.type = SDL_QUIT;
            SDL_PushEvent(&e);
            // The event thread records the request; update then never returns.
            for (int i = 0; i < 300; i++) {
                Quenth::update();
                SDL_Delay(5);
            }
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(QuenthProcess, WindowCloseWithoutAutoExitIsOnlyRecorded) {
    EXPECT_EXIT(
        {
            testsupport::startSDLVideo();
            Quenth::init(320, 200, "close", false, false);
            Quenth::setAutoExit(false);
            SDL_Event e;
            std::memset(&e, 0, sizeof e);
            e.type = SDL_QUIT;
            SDL_PushEvent(&e);
            for (int i = 0; i < 300 && !Quenth::events->quitRequested.load(); i++) {
                Quenth::update();
                SDL_Delay(5);
            }
            Quenth::update();
            std::exit(Quenth::events->quitRequested.load() ? 7 : 3);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST_F(QuenthProcess, QuitResetsTheCore) {
    EXPECT_EXIT(
        {
            testsupport::startSDLVideo();
            Quenth::init(320, 200, "reset", false, false);
            Quenth::setAutoExit(false);
            Quenth::update();
            Quenth::update();
            Quenth::quit();
            bool ok = Quenth::window == nullptr && Quenth::title == nullptr && Quenth::width == 0 &&
                      Quenth::height == 0 && Quenth::sync == 0 && Quenth::sync16 == 0 &&
                      Quenth::currentTime == 0 && Quenth::lastTime == 0 && Quenth::tm_current == 0 &&
                      Quenth::tm_last == 0 && Quenth::autoexit && Quenth::events == nullptr &&
                      Quenth::framenum == 2;
            // And the core opens again.
            testsupport::startSDLVideo();
            Quenth::init(320, 200, "again", false, false);
            ok = ok && Quenth::window != nullptr && Quenth::events != nullptr;
            std::exit(ok ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace

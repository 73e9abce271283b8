#pragma once
// Drives modal dialogs from inside their own loop: an answer is scheduled as
// a toolkit timeout, which fires once the dialog's window is up and modal.

#include "platform/HostDisplay.h"
#include "platform/HostWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace dialogs_test {

/// Opens the display the dialogs need: the host's, or else the toolkit's own.
inline bool OpenDialogDisplay() {
    host::OpenDisplay();
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    Fl::screen_count(); // connects the toolkit to the display
    return true;
}

inline bool HaveXdotool() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

/// Asks done until it is true or the seconds are up; whether done came true.
/// For what another client of the X server must see, which takes its own time.
inline bool WaitUntil(const std::function<bool()>& done, double seconds = 10.0) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

/// Whether the X server knows a window named name, asked as desktop tools
/// ask it.
inline bool XServerHasWindowNamed(const std::string& name) {
    const std::string command = "xdotool search --name '^" + name + "$' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

/// Sends a key press to window as the toolkit's event loop would.
inline void PressKey(Fl_Window& window, int key) {
    static char noText[] = "";
    Fl::e_keysym = key;
    Fl::e_state = 0;
    Fl::e_text = noText;
    Fl::e_length = 0;
    Fl::handle(FL_KEYBOARD, &window);
}

inline Fl_Button* FindButton(Fl_Window& window, const std::string& label) {
    for (int i = 0; i < window.children(); ++i) {
        auto* button = dynamic_cast<Fl_Button*>(window.child(i));
        if (button && button->label() && label == button->label())
            return button;
    }
    return nullptr;
}

inline host::HWND MakeOwner(host::WNDPROC proc = host::DefWindowProc, host::UINT style = 0) {
    host::CREATESTRUCT cs;
    cs.x = 100;
    cs.y = 80;
    cs.cx = 600;
    cs.cy = 400;
    cs.style = host::WS_OVERLAPPEDWINDOW | style;
    return host::CreateWindow(cs, proc, nullptr);
}

/// Calls the action with the modal window once one shows. Should none show,
/// or a window still be up, five seconds on, it is hidden, so that a failing
/// test ends instead of waiting for ever.
class ModalAnswer {
public:
    using Action = std::function<void(Fl_Window&)>;
    explicit ModalAnswer(Action action) : m_action(std::move(action)) {
        Fl::add_timeout(0.01, Poll, this);
    }
    ~ModalAnswer() { Fl::remove_timeout(Poll, this); }
    bool Answered() const { return m_answered; }

private:
    static void Poll(void* data) {
        auto* self = static_cast<ModalAnswer*>(data);
        Fl_Window* window = Fl::modal();
        if (window && window->shown() && !self->m_answered) {
            self->m_answered = true;
            self->m_ticks = 0; // the answer gets its own five seconds
            self->m_action(*window);
        } else if (++self->m_ticks > 500) {
            if (window)
                window->hide();
            return;
        }
        Fl::repeat_timeout(0.01, Poll, data);
    }
    Action m_action;
    bool m_answered = false;
    int m_ticks = 0;
};

} // namespace dialogs_test

#include "platform/window/ToolkitInternals.h"

#include "platform/ScopedValue.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace host {

void ToolkitInternals::MakeXWindow(Fl_Window& window, XVisualInfo* visual, Colormap colormap) {
    Fl_X::make_xid(&window, visual, colormap);
}

void ToolkitInternals::AdoptXWindow(Fl_Window& window, ::Window xid) {
    Fl_X* x = Fl_X::set_xid(&window, xid);
    x->sendxjunk();
    x->set_icons();
}

int ToolkitInternals::ReplayKey(Fl_Window& window, int event, int keysym, int state,
                                const std::string& text) {
    // The toolkit reads the text through a pointer to writable characters.
    std::string copy = text;
    const ScopedValue<int> key(Fl::e_keysym, keysym);
    const ScopedValue<int> modifiers(Fl::e_state, state);
    const ScopedValue<char*> typed(Fl::e_text, copy.data());
    const ScopedValue<int> length(Fl::e_length, static_cast<int>(copy.size()));
    return Fl::handle_(event, &window);
}

} // namespace host

#pragma once
// The toolkit window behind one window record. It turns toolkit events into
// queued messages, toolkit paints into invalidation, and user resizes into
// WM_SIZE. Its X window can be made before it is shown, with a chosen visual,
// so that OpenGL can be bound while the program still hides it.

#include "platform/HostTypes.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace host {

class PeerWindow : public Fl_Window {
public:
    /// A top-level window when parent is null, else a child placed in parent.
    PeerWindow(HWND hwnd, PeerWindow* parent);
    ~PeerWindow() override;

    HWND Record() const { return m_hwnd; }
    /// Forgets the record, which is going away; the window then posts nothing.
    void Detach() { m_hwnd = nullptr; }
    /// Height of the menu bar at the top (0 for none or for a child).
    int BarHeight() const;
    /// Makes the X window (unmapped for a top-level one) if there is none yet.
    void EnsureXWindow();
    /// Makes the X window again with visual; false when that fails.
    bool UseVisual(XVisualInfo* visual);
    /// Fills the client area with the window colour.
    void EraseClient();
    /// Places the toolkit window where the record says.
    void FollowRecord();
    /// Places the menu bar and the child windows after a change of size or bar.
    void LayOut();
    /// Follows the window manager moving the keyboard (FL_FOCUS or
    /// FL_UNFOCUS of this window) by activating or deactivating the record's
    /// top-level window.
    void FollowFocus(int event);

    int handle(int event) override;
    void flush() override;
    void resize(int x, int y, int w, int h) override;
    void show() override;
    void hide() override;

    static void OnClose(Fl_Widget* widget, void*);

private:
    void CreateTopLevelXWindow();
    /// Follows a minimise or restore made through the window manager.
    void FollowMapping(int event);
    /// True when a mouse event belongs to the menu bar.
    bool BarTakes() const;
    /// The shown child window under the mouse, if any.
    Fl_Widget* ChildUnderMouse() const;
    bool PostMouse(int event);
    /// Posts message at the client point (x, y) with the toolkit's state.
    void PostMouseMessage(UINT message, int state, int x, int y);

    HWND m_hwnd = nullptr;           ///< back-link to the record
    LPARAM m_lastMouse = -1;         ///< the point of the last mouse message posted
    XVisualInfo* m_visual = nullptr; ///< the chosen visual, owned (XFree)
    Colormap m_colormap = 0;         ///< made for m_visual, owned
    bool m_following = false;        ///< set while placing from the record
};

} // namespace host

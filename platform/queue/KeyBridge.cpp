#include "platform/queue/KeyBridge.h"

#include "platform/AsciiText.h"
#include "platform/HostWindow.h"
#include "platform/ScopedValue.h"
#include "platform/queue/MessageQueue.h"
#include "platform/window/PeerWindow.h"
#include "platform/window/ToolkitInput.h"
#include "platform/window/ToolkitInternals.h"

#include <FL/Fl.H>

#include <map>
#include <string>

namespace host {

namespace {

// The toolkit's view of one key event, kept until the program has handled
// the message, so that it can be given back unchanged.
struct SavedKey {
    int keysym = 0;
    int state = 0;
    std::string text;
};

std::map<LPARAM, SavedKey> g_saved;
LPARAM g_nextKey = 1;
bool g_givingBack = false;
constexpr size_t kMaxSaved = 64;

HWND KeyTarget(HWND top) {
    HWND focus = GetFocus();
    return focus && GetTopLevelWindow(focus) == top ? focus : top;
}

void PostKey(HWND hwnd, int event) {
    const int state = Fl::event_state();
    // The Alt key itself is not yet in the state when it goes down.
    const bool alt = (state & FL_ALT) != 0 || KeyBridge::VirtualKey(Fl::event_key()) == VK_MENU;
    MSG msg;
    msg.hwnd = hwnd;
    msg.message =
        event == FL_KEYDOWN ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    msg.wParam = KeyBridge::VirtualKey(Fl::event_key());
    msg.lParam = g_nextKey++;
    msg.time = MessageQueue::Instance().NextTime();
    msg.pt = {Fl::event_x_root(), Fl::event_y_root()};
    msg.keyState = ToolkitInput::ModifierFlags(state);
    if (g_saved.size() >= kMaxSaved) {
        g_saved.erase(g_saved.begin());
    }
    g_saved[msg.lParam] = {Fl::event_key(), state,
                           std::string(Fl::event_text(), Fl::event_length())};
    MessageQueue::Instance().PostInput(msg);
}

int Dispatch(int event, Fl_Window* window) {
    auto* peer = dynamic_cast<PeerWindow*>(window);
    if (peer && (event == FL_FOCUS || event == FL_UNFOCUS)) {
        peer->FollowFocus(event);
    }
    const bool key = event == FL_KEYDOWN || event == FL_KEYUP;
    if (g_givingBack || !key || !peer || !IsWindow(peer->Record())) {
        return Fl::handle_(event, window);
    }
    HWND target = KeyTarget(GetTopLevelWindow(peer->Record()));
    if (!IsWindowEnabled(target) || !IsWindowEnabled(GetTopLevelWindow(target))) {
        return 1;
    }
    if (KeyBridge::VirtualKey(Fl::event_key()) == 0) {
        return Fl::handle_(event, window); // nothing the program could act on
    }
    PostKey(target, event);
    return 1;
}

} // namespace

void KeyBridge::Install() {
    Fl::event_dispatch(&Dispatch);
}

UINT KeyBridge::VirtualKey(int key) {
    static const std::map<int, UINT> keys = {
        {FL_BackSpace, VK_BACK},    {FL_Tab, VK_TAB},       {FL_Enter, VK_RETURN},
        {FL_KP_Enter, VK_RETURN},   {FL_Escape, VK_ESCAPE}, {' ', VK_SPACE},
        {FL_Left, VK_LEFT},         {FL_Up, VK_UP},         {FL_Right, VK_RIGHT},
        {FL_Down, VK_DOWN},         {FL_Insert, VK_INSERT}, {FL_Delete, VK_DELETE},
        {FL_Shift_L, VK_SHIFT},     {FL_Shift_R, VK_SHIFT}, {FL_Control_L, VK_CONTROL},
        {FL_Control_R, VK_CONTROL}, {FL_Alt_L, VK_MENU},    {FL_Alt_R, VK_MENU}};
    if (key >= 'a' && key <= 'z') {
        return static_cast<UINT>(AsciiUpper(static_cast<char>(key)));
    }
    if (key >= '0' && key <= '9') {
        return static_cast<UINT>(key);
    }
    if (key > FL_F && key <= FL_F + 12) {
        return VK_F1 + static_cast<UINT>(key - FL_F - 1);
    }
    auto it = keys.find(key);
    return it == keys.end() ? 0 : it->second;
}

bool KeyBridge::GiveBack(const MSG& msg, Fl_Window& window) {
    auto it = g_saved.find(msg.lParam);
    if (it == g_saved.end()) {
        return false; // a key the toolkit never saw
    }
    const SavedKey saved = it->second;
    g_saved.erase(it);
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const ScopedValue<bool> givingBack(g_givingBack, true);
    const int used = ToolkitInternals::ReplayKey(window, down ? FL_KEYDOWN : FL_KEYUP, saved.keysym,
                                                 saved.state, saved.text);
    return used != 0;
}

} // namespace host

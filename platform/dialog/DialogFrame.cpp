#include "platform/dialog/DialogFrame.h"

#include "platform/dialog/DialogModalLoop.h"
#include "platform/dialog/ToolkitLabel.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>

#include <cassert>
#include <cstdint>

namespace host {

namespace {

bool IsEnter(int key) {
    return key == FL_Enter || key == FL_KP_Enter;
}

} // namespace

DialogFrame::DialogFrame(int width, int height, const std::string& caption, int escapeId)
    : Fl_Double_Window(width, height), m_escapeId(escapeId), m_result(escapeId) {
    end(); // children are added explicitly, never through the current group
    copy_label(caption.c_str());
    callback(OnClose);
}

int DialogFrame::Run(HWND owner, bool onTop) {
    m_result = m_escapeId;
    Fl_Widget* focus = m_defaultButton ? m_defaultButton : m_firstButton;
    DialogModalLoop::Run(*this, owner, onTop, focus);
    return m_result;
}

void DialogFrame::Finish(int id) {
    m_result = id;
    hide();
}

int DialogFrame::handle(int event) {
    if (event != FL_KEYBOARD && event != FL_SHORTCUT) {
        return Fl_Double_Window::handle(event);
    }
    if (Fl::event_key() == FL_Escape) {
        Finish(m_escapeId);
        return 1;
    }
    if (IsEnter(Fl::event_key()) && PressFocusedButton()) {
        return 1;
    }
    const int used = Fl_Double_Window::handle(event);
    // A key the dialog does not use must not go on to the toolkit's global
    // handlers, which would turn it into an accelerator of the disabled owner.
    return event == FL_SHORTCUT ? 1 : used;
}

Fl_Button* DialogFrame::AddButton(int x, int y, int w, int h, const std::string& label, int id,
                                  bool isDefault) {
    Fl_Button* button = isDefault ? new Fl_Return_Button(x, y, w, h) : new Fl_Button(x, y, w, h);
    add(button);
    button->copy_label(ToolkitLabel(label).c_str());
    button->callback(OnButton, reinterpret_cast<void*>(static_cast<std::intptr_t>(id)));
    if (isDefault && !m_defaultButton) {
        m_defaultButton = button;
    }
    if (!m_firstButton) {
        m_firstButton = button;
    }
    return button;
}

void DialogFrame::OnButton(Fl_Widget* button, void* id) {
    auto* frame = dynamic_cast<DialogFrame*>(button->window());
    assert(frame);
    frame->Finish(static_cast<int>(reinterpret_cast<std::intptr_t>(id)));
}

void DialogFrame::OnClose(Fl_Widget* window, void*) {
    auto* frame = static_cast<DialogFrame*>(window);
    frame->Finish(frame->m_escapeId);
}

bool DialogFrame::PressFocusedButton() {
    // As in the host's dialogs, a focused push button is the default for the
    // moment; otherwise Enter goes to the dialog's default button.
    auto* focused = dynamic_cast<Fl_Button*>(Fl::focus());
    Fl_Button* target = focused && focused->window() == this ? focused : m_defaultButton;
    if (!target || !target->active_r()) {
        return false;
    }
    target->do_callback();
    return true;
}

} // namespace host

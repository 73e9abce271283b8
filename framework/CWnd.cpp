#include "framework/CWnd.h"

#include "framework/AppMessage.h"
#include "framework/CFrameWnd.h"
#include "framework/CMemoryException.h"
#include "framework/CTestCmdUI.h"
#include "framework/CUserException.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/MessageLookupCache.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostQueue.h"
#include "platform/ScopedValue.h"

#include <cassert>
#include <new>
#include <stdexcept>

using host::BOOL;
using host::FALSE;
using host::LPARAM;
using host::LRESULT;
using host::TRUE;
using host::UINT;
using host::WPARAM;

KOVO_IMPLEMENT_RUNTIME_CLASS(CWnd, CCmdTarget)

// Windows handle the system messages they list nothing for by default.
KOVO_BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
KOVO_END_MESSAGE_MAP()

namespace {

thread_local host::MSG t_currentMessage;

host::MSG MessageOf(host::HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    host::MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return msg;
}

// Tells the user about a failure that escaped a handler, unless it was told
// already.
void ReportFailure(const CException& failure, UINT defaultTextId) {
    if (failure.IsKindOf(&CUserException::classRecord)) {
        return;
    }
    std::string text;
    if (failure.IsKindOf(&CMemoryException::classRecord)) {
        failure.GetErrorMessage(text);
        ShowAppMessage(text, host::MB_ICONEXCLAMATION | host::MB_SYSTEMMODAL,
                       fw::IDS_MEMORY_EXCEPTION);
        return;
    }
    if (!failure.GetErrorMessage(text)) {
        text = ResourceRegistry::LoadString(defaultTextId);
    }
    ShowAppMessage(text, host::MB_ICONSTOP, defaultTextId);
}

} // namespace

CWnd::~CWnd() {
    if (m_hWnd != nullptr && host::IsWindow(m_hWnd)) {
        // The object is going: the window's last messages must not reach it.
        host::SetWindowUserData(m_hWnd, nullptr);
        host::DestroyWindow(m_hWnd);
    }
}

CWnd* CWnd::FromHandle(host::HWND hwnd) {
    if (hwnd == nullptr || !host::IsWindow(hwnd)) {
        return nullptr;
    }
    return static_cast<CWnd*>(host::GetWindowUserData(hwnd));
}

BOOL CWnd::CreateEx(host::CREATESTRUCT cs) {
    assert(m_hWnd == nullptr);
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // On refusal the host has sent WM_NCDESTROY, which ran PostNcDestroy.
    return host::CreateWindow(cs, &CWnd::WindowProcedure, this) != nullptr;
}

BOOL CWnd::PreCreateWindow(host::CREATESTRUCT&) {
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return host::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::WindowProcedure(host::HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* wnd = static_cast<CWnd*>(host::GetWindowUserData(hwnd));
    if (wnd == nullptr) {
        return host::DefWindowProc(hwnd, message, wParam, lParam);
    }
    if (wnd->m_hWnd == nullptr) {
        wnd->m_hWnd = hwnd; // the first message, WM_CREATE
    }
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == host::WM_NCDESTROY) {
        host::SetWindowUserData(hwnd, nullptr);
        wnd->m_hWnd = nullptr;
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The message is the thread's current one while it is handled.
    const host::ScopedValue<host::MSG> current(t_currentMessage,
                                               MessageOf(m_hWnd, message, wParam, lParam));
    try {
        LRESULT result = 0;
        if (!HandleWindowMessage(message, wParam, lParam, &result)) {
            result = host::DefWindowProc(m_hWnd, message, wParam, lParam);
        }
        return result;
    } catch (const CException& failure) {
        return RecoverFromFailure(failure, message, lParam);
    } catch (const std::bad_alloc&) {
        return RecoverFromFailure(CMemoryException(), message, lParam);
    } catch (const std::exception&) {
        // Letting it unwind through the host would end the program.
        return RecoverFromFailure(CException(), message, lParam);
    }
}

LRESULT CWnd::RecoverFromFailure(const CException& failure, UINT message, LPARAM lParam) {
    if (message == host::WM_CREATE) {
        return -1; // the window is not created
    }
    if (message == host::WM_PAINT) {
        host::ValidateRect(m_hWnd, nullptr); // do not repeat the paint
        return 0;
    }
    const bool fromMenu = message == host::WM_COMMAND && lParam == 0;
    ReportFailure(failure, fromMenu ? fw::IDS_COMMAND_FAILURE : fw::IDS_INTERNAL_FAILURE);
    return message == host::WM_COMMAND ? TRUE : 0;
}

BOOL CWnd::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    assert(result != nullptr);
    if (message == host::WM_COMMAND) {
        if (!HandleCommand(wParam, lParam)) {
            return FALSE;
        }
        *result = 1;
        return TRUE;
    }
    const MessageMapEntry* entry = MessageLookupCache::Find(GetMessageMap(), message);
    if (entry == nullptr) {
        return FALSE;
    }
    *result = CallMessageHandler(*entry, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::CallMessageHandler(const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam) {
    const MessageHandler& h = entry.handler;
    switch (entry.signature) {
    case MessageSignature::Create:
        return (this->*h.create)(reinterpret_cast<host::CREATESTRUCT*>(lParam));
    case MessageSignature::Size:
        (this->*h.point)(static_cast<UINT>(wParam), host::LOWORD(lParam), host::HIWORD(lParam));
        return 0;
    case MessageSignature::Mouse:
        (this->*h.point)(static_cast<UINT>(wParam), host::GET_X_LPARAM(lParam),
                         host::GET_Y_LPARAM(lParam));
        return 0;
    case MessageSignature::Plain:
        (this->*h.command)();
        return 0;
    case MessageSignature::Message:
        return (this->*h.message)(wParam, lParam);
    default:
        assert(!"a window-message entry with a command signature");
        return 0;
    }
}

BOOL CWnd::HandleCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = host::LOWORD(wParam);
    if (id == 0) {
        return FALSE;
    }
    if (lParam != 0) {
        // A notification from a child control: no state check applies.
        return RouteCommand(id, host::HIWORD(wParam), nullptr, nullptr);
    }
    CTestCmdUI state;
    state.m_id = id;
    RouteCommand(id, fw::kUpdateCode, &state, nullptr);
    if (!state.m_enabled) {
        return TRUE; // disabled: consumed, not run
    }
    return RouteCommand(id, fw::kCommandCode, nullptr, nullptr);
}

BOOL CWnd::FilterMessage(host::MSG*) {
    return FALSE;
}

LRESULT CWnd::Default() {
    const host::MSG& msg = t_currentMessage;
    return host::DefWindowProc(m_hWnd, msg.message, msg.wParam, msg.lParam);
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (host::HWND h = host::GetParent(m_hWnd); h != nullptr; h = host::GetParent(h)) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandle(h))) {
            return frame;
        }
    }
    return nullptr;
}

const host::MSG& CWnd::CurrentMessage() {
    return t_currentMessage;
}

void CWnd::SendMessageToDescendants(host::HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (host::HWND child : host::GetChildWindows(hwnd)) {
        host::SendMessage(child, message, wParam, lParam);
        SendMessageToDescendants(child, message, wParam, lParam);
    }
}

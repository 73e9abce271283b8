#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostDialogs.h"

KOVO_IMPLEMENT_RUNTIME_CLASS(CDialog, CWnd)

int CDialog::DoModal() {
    const host::DialogTemplate* dialog = ResourceRegistry::FindDialog(m_templateId);
    if (dialog == nullptr) {
        return -1;
    }
    CWnd* owner = m_parent;
    if (owner == nullptr) {
        CWinApp* app = CWinApp::Current();
        owner = app != nullptr ? app->m_pMainWnd : nullptr;
    }
    return host::DialogBox(owner != nullptr ? owner->m_hWnd : nullptr, *dialog);
}

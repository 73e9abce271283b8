#pragma once
// A modal dialog built from a dialog template of the resource registry.

#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CDialog)

    /// parent null: the application's main window owns the dialog.
    explicit CDialog(host::UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_parent(parent) {}

    /// Runs the dialog until a button, Esc or the close box ends it; returns
    /// the button's id (IDCANCEL for Esc and the close box), or -1 when the
    /// template is not registered.
    virtual int DoModal();

    host::UINT m_templateId;
    CWnd* m_parent; ///< not owned; null for the main window
};

#pragma once
// A CCmdUI that touches no menu: it only records the state an update handler
// chose, so that a command can be checked before it runs.

#include "framework/CCmdUI.h"

class CTestCmdUI : public CCmdUI {
public:
    /// Records the state; no menu is touched.
    void SetEnabled(host::BOOL on) override;
    /// Does nothing: only the enabled state matters to the caller.
    void SetItemText(const std::string& text) override;

    host::BOOL m_enabled = host::TRUE;
};

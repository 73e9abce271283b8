#include "framework/CTestCmdUI.h"

void CTestCmdUI::SetEnabled(host::BOOL on) {
    m_enabled = on;
    m_enableChanged = host::TRUE;
}

void CTestCmdUI::SetItemText(const std::string&) {}

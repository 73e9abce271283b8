#pragma once
// The About dialog (template IDD_ABOUTBOX): a few lines of text and an OK button.

#include "framework/CDialog.h"

class CInfoDlg : public CDialog {
public:
    /// parent null: the framework makes the main window the owner.
    explicit CInfoDlg(CWnd* parent = nullptr);
};

#include "app/CInfoDlg.h"

#include "app/Resource.h"

CInfoDlg::CInfoDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

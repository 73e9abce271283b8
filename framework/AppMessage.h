#pragma once
// Telling the user something from framework code, which runs inside an
// application in the program but may also run without one.

#include "platform/HostTypes.h"

#include <string>

/// Shows text through the current application (CWinApp::ShowMessage: owned by
/// the main window, captioned with the application title, the exclamation
/// icon for plain boxes). Without an application a bare box shows it, with
/// no owner, no caption and type as given. Returns the button chosen.
int ShowAppMessage(const std::string& text, host::UINT type, host::UINT helpId);
/// The same with the text of string stringId, which is also the help id; an
/// unknown id shows an empty text.
int ShowAppMessage(host::UINT stringId, host::UINT type = host::MB_OK);

#pragma once
// The program's fixed user-interface resources as data: the menu bar, the
// accelerator table and the document string (all IDR_MAINFRAME), the
// application title (fw::IDS_APP_TITLE) and the About dialog (IDD_ABOUTBOX).
// RegisterAppResources() hands them to the framework's resource registry,
// from which the frame and the dialog load them by id.

#include "framework/MenuResourceItem.h"
#include "platform/HostDialogs.h"
#include "platform/HostTypes.h"

#include <string>
#include <vector>

/// "Kovomodel", the caption of every message box and the frame's base title.
extern const char* const kAppTitle;
/// The seven "\n"-separated fields of the document type, string 128.
extern const char* const kDocumentString;

/// The main menu bar, top-level items in order. Never fails.
std::vector<MenuResourceItem> MainMenuEntries();
/// The thirteen key bindings of table 128, in matching order. Never fails.
std::vector<host::ACCEL> MainAccelerators();
/// The About dialog: caption, font, size in dialog units and the five
/// controls in tab order. Never fails.
host::DialogTemplate AboutDialogTemplate();

/// Registers all of the above, and the main icon, with the framework's
/// resource registry, replacing what was registered under the same ids.
/// Called once at start-up, before the first window is made.
void RegisterAppResources();

#pragma once
// Message values, notification codes, command ids and string ids that the
// framework itself uses.

#include "platform/HostTypes.h"

namespace fw {

// Framework-private window messages, in the range reserved below WM_USER.
constexpr host::UINT IdleUpdateUi = 0x0363;  ///< idle-time update request; wParam TRUE
constexpr host::UINT InitialUpdate = 0x0364; ///< first update of a view
constexpr host::UINT KickIdle = 0x036A;      ///< wakes the loop; never dispatched

// Notification codes of WM_COMMAND routing.
constexpr int kCommandCode = 0; ///< execute the command
constexpr int kUpdateCode = -1; ///< ask for its menu state (0xFFFFFFFF)

// Frame styles, kept in the frame window's style bits.
constexpr host::UINT FWS_ADDTOTITLE = 0x8000;  ///< the caption shows the document title
constexpr host::UINT FWS_PREFIXTITLE = 0x4000; ///< ... before the frame title

// First id the host reserves for system commands; never grayed automatically.
constexpr host::UINT kFirstSystemCommand = 0xF000;
// Child id of the view inside its frame.
constexpr int kFirstPaneId = 0xE900;

// Command ids.
constexpr host::UINT ID_FILE_NEW = 57600;
constexpr host::UINT ID_FILE_OPEN = 57601;
constexpr host::UINT ID_FILE_CLOSE = 57602;
constexpr host::UINT ID_FILE_SAVE = 57603;
constexpr host::UINT ID_FILE_SAVE_AS = 57604;
constexpr host::UINT ID_FILE_PRINT_DIRECT = 57608;
constexpr host::UINT ID_FILE_MRU_FILE1 = 57616;
constexpr host::UINT ID_FILE_MRU_LAST = 57631;
constexpr host::UINT ID_EDIT_COPY = 57634;
constexpr host::UINT ID_EDIT_CUT = 57635;
constexpr host::UINT ID_EDIT_PASTE = 57637;
constexpr host::UINT ID_EDIT_UNDO = 57643;
constexpr host::UINT ID_WINDOW_SPLIT = 57653;
constexpr host::UINT ID_APP_ABOUT = 57664;
constexpr host::UINT ID_APP_EXIT = 57665;
constexpr host::UINT ID_NEXT_PANE = 57680;
constexpr host::UINT ID_PREV_PANE = 57681;

// String ids of the framework's texts.
constexpr host::UINT IDS_APP_TITLE = 57344;
constexpr host::UINT IDS_OPENFILE = 61440;
constexpr host::UINT IDS_SAVEFILE = 61441;
constexpr host::UINT IDS_ALLFILTER = 61442;
constexpr host::UINT IDS_UNTITLED = 61443;
constexpr host::UINT IDS_UNNAMED_FILE = 61446;
constexpr host::UINT IDS_MEMORY_EXCEPTION = 61475;
constexpr host::UINT IDS_FAILED_TO_OPEN_DOC = 61697;
constexpr host::UINT IDS_ASK_TO_SAVE = 61699;
constexpr host::UINT IDS_FAILED_TO_CREATE_DOC = 61700;
constexpr host::UINT IDS_INTERNAL_FAILURE = 61704;
constexpr host::UINT IDS_COMMAND_FAILURE = 61705;
constexpr host::UINT IDS_UNREGISTERED = 61707;
constexpr host::UINT IDS_NOT_UNREGISTERED = 61708;
constexpr host::UINT IDS_ARCH_BADFORMAT = 61728;
constexpr host::UINT IDS_FILE_CAUSE_FIRST = 61856; ///< plus the failure's cause (0..14)

} // namespace fw

#pragma once
// Resource and command ids of the program. Resource 128 names the menu bar,
// the accelerator table, the main icon and the document string together.

// Resources.
constexpr unsigned IDR_MAINFRAME = 128;
constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDS_APP_TITLE = 57344; // the title every message box carries
constexpr unsigned IDS_UNEXPECTED_FORMAT = 61728;

// The program's display commands, handled by the document.
constexpr unsigned ID_DATA_OBJECTS = 32771;
constexpr unsigned ID_MODEL_POINTS = 32772;
constexpr unsigned ID_MODEL_WIRE = 32773;
constexpr unsigned ID_MODEL_SOLID = 32774;
constexpr unsigned ID_SHADING_FLAT = 32775;
constexpr unsigned ID_SHADING_SMOOTH = 32776;

// Standard commands that the menu and the accelerators carry.
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_FILE_MRU_FILE1 = 57616;
constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_CUT = 57635;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_UNDO = 57643;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_NEXT_PANE = 57680;
constexpr unsigned ID_PREV_PANE = 57681;

// The OK button of a dialog, and the id of controls that are never addressed.
constexpr int IDOK_BUTTON = 1;
constexpr int IDC_STATIC = -1;

#pragma once
// Resource and command ids of the program. Resource 128 names the menu bar,
// the accelerator table, the main icon and the document string together.

#include "framework/FrameworkIds.h"

// Resources.
constexpr unsigned IDR_MAINFRAME = 128;
constexpr unsigned IDD_ABOUTBOX = 100;
// The title every message box carries.
using fw::IDS_APP_TITLE;
// Shown for a model file the loader rejects.
constexpr unsigned IDS_UNEXPECTED_FORMAT = fw::IDS_ARCH_BADFORMAT;

// The program's display commands, handled by the document.
constexpr unsigned ID_DATA_OBJECTS = 32771;
constexpr unsigned ID_MODEL_POINTS = 32772;
constexpr unsigned ID_MODEL_WIRE = 32773;
constexpr unsigned ID_MODEL_SOLID = 32774;
constexpr unsigned ID_SHADING_FLAT = 32775;
constexpr unsigned ID_SHADING_SMOOTH = 32776;

// Standard commands of the framework that the menu and the accelerators carry.
using fw::ID_APP_ABOUT;
using fw::ID_APP_EXIT;
using fw::ID_EDIT_COPY;
using fw::ID_EDIT_CUT;
using fw::ID_EDIT_PASTE;
using fw::ID_EDIT_UNDO;
using fw::ID_FILE_MRU_FILE1;
using fw::ID_FILE_NEW;
using fw::ID_FILE_OPEN;
using fw::ID_FILE_SAVE;
using fw::ID_NEXT_PANE;
using fw::ID_PREV_PANE;

// The OK button of a dialog, and the id of controls that are never addressed.
constexpr int IDOK_BUTTON = 1;
constexpr int IDC_STATIC = -1;

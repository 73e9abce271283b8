#pragma once
// The application: its start-up registers the one document type and carries
// out the command line.

#include "framework/CWinApp.h"

class CKovomodelApp : public CWinApp {
public:
    /// No name: the framework takes the title from the string table. Registers
    /// the program's resources.
    CKovomodelApp();

    /// Loads the recent files, registers the document template and carries out
    /// the command line. FALSE when that fails (the framework has already told
    /// the user why), which ends the program.
    host::BOOL InitInstance() override;

    /// Shows the About dialog modally; its result is not used.
    void OnAppAbout();

    KOVO_DECLARE_MESSAGE_MAP()
};

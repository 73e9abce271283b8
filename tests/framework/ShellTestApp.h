#pragma once
// A tiny application for the start-up and recent-file tests: one template
// with a plain document, frame and view, a menu 128 whose first popup holds
// the recent-file placeholder, a profile file in a fresh folder, and message
// boxes answered by a hook that records their texts.

#include "framework/CWinApp.h"

#include <string>
#include <vector>

class ShellTestApp : public CWinApp {
public:
    ShellTestApp();
    ~ShellTestApp() override;

    /// Registers the resources and the template, and points the profile at
    /// a file in a fresh folder.
    host::BOOL InitInstance() override;

    /// Creates file name in the scratch folder and returns its full path.
    std::string MakeFile(const std::string& name, const std::string& content = "x") const;
    /// The profile file's bytes, "" when it does not exist.
    std::string ProfileText() const;
    void StoreProfile(const std::string& text) const;
    /// Destroys the main window, if any.
    void CloseMainWindow();

    std::string m_folder;
    std::vector<std::string> m_messages; ///< texts of the boxes shown
};

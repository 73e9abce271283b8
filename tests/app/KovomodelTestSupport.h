#pragma once
// Runs the real application classes without a display: each test gets a
// scratch working directory holding the pyramid as the default model
// "dom.dat" and the profile, and every modal call is answered and remembered.

#include "app/CKovomodelApp.h"
#include "app/CKovomodelDoc.h"
#include "app/CKovomodelView.h"
#include "framework/CFrameWnd.h"
#include "platform/HostDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace apptest {

constexpr const char* kPyramid = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n"
                                 "1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n";
constexpr const char* kWire = "0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n1 2\n1 3\n1 4\n"
                              "2 3\n2 4\n3 4\n";

/// Empties the queue; true when it held a paint for hwnd, which then was due.
bool PaintPending(host::HWND hwnd);

/// A scratch folder made the working directory and the profile's home while
/// it lives; modal calls are answered (boxes and dialogs with OK, the open
/// dialog with cancel) and recorded.
struct Scratch {
    struct Box {
        std::string caption, text;
        host::UINT type = 0;
    };
    struct Dialog {
        host::HWND owner = nullptr;
        std::string caption;
    };

    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::filesystem::path previous;
    std::string dir;
    std::vector<Box> boxes;
    std::vector<Dialog> dialogs;
    int openDialogs = 0;
};

class KovomodelTest : public ::testing::Test {
protected:
    ~KovomodelTest() override;

    std::string Path(const std::string& name) const { return scratch.dir + "/" + name; }
    /// Writes text to name, or removes name when there is no text.
    std::string Write(const std::string& name, const std::optional<std::string>& text) const;
    /// Runs the application's start-up with the given arguments and its
    /// profile in the scratch folder.
    bool Start(std::vector<std::string> arguments = {});
    CFrameWnd* Frame() const { return static_cast<CFrameWnd*>(app.m_pMainWnd); }
    CKovomodelView* View() const { return static_cast<CKovomodelView*>(Frame()->GetActiveView()); }
    CKovomodelDoc* Doc() const { return View()->GetDocument(); }
    std::string Caption() const;
    void ExpectCamera(double angleY, double angleX, double distance) const;
    /// Sends a mouse message at (x, y) of its client area to window, by
    /// default the program's view.
    void Mouse(host::UINT message, int x, int y, host::HWND window = nullptr) const;
    /// Updates the index-th popup of the menu bar as the host does when it
    /// opens, and returns its items: their texts, " (grayed)" and " (checked)"
    /// appended where that applies.
    std::vector<std::string> OpenPopup(int index) const;

    Scratch scratch; // made before the application and gone after it
    CKovomodelApp app;
};

} // namespace apptest

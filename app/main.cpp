// The program's entry: opens the display, then hands over to the framework,
// which runs the application's start-up and its message loop.
//
// Environment:
//   KOVOMODEL_EXIT_AFTER_FIRST_FRAME=1  closes the main window right after the
//       first frame has been presented, so that scripts/bench-first-frame.sh can
//       time start-up to first frame. Any other value, or none, changes nothing.
//   KOVOMODEL_BENCH_TURN=N  after the first frame, feeds N steps of a left drag
//       through the message queue, one per frame, writes the median and 90th
//       percentile time between those frames to stderr and closes the main
//       window (app/TurnBenchmark.h); scripts/bench-turn.sh uses it. Anything
//       but a whole number from 1 to 100000 changes nothing.
//   KOVOMODEL_BENCH_TURN_MODE=points|wire  with KOVOMODEL_BENCH_TURN, gives that
//       display command first, so that the drag turns the model in that mode.

#include "app/CKovomodelApp.h"
#include "app/CKovomodelView.h"
#include "app/FirstFrame.h"
#include "app/StartupModels.h"
#include "app/TurnBenchmark.h"
#include "platform/HostDisplay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// The one application object. The framework's entry finds it as the current
// application.
CKovomodelApp theApp;

namespace {

bool ExitAfterFirstFrameRequested() {
    const char* value = std::getenv("KOVOMODEL_EXIT_AFTER_FIRST_FRAME");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

} // namespace

int main(int argc, char** argv) {
    // Parse the start-up models on a worker while the display connects and
    // the window is made; the document takes them when it opens them, and
    // the first frame is prepared meanwhile.
    StartupModels startupModels(argc, argv, PrepareFirstFrame);
    if (!host::OpenDisplay()) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "kovomodel: cannot open the X display %s; is $DISPLAY set?\n",
                     display != nullptr && *display != '\0' ? display : "(none)");
        return 1;
    }
    CKovomodelView::s_closeAfterFirstFrame = ExitAfterFirstFrameRequested();
    CKovomodelView::s_turnBenchmarkSteps = TurnBenchmark::StepsFromEnvironment();
    CKovomodelView::s_turnBenchmarkMode = TurnBenchmark::ModeCommandFromEnvironment();
    return RunApplication(theApp, argc, argv);
}

#include "HostDialogsTestDriver.h"

#include "platform/HostDialogs.h"
#include "platform/HostQueue.h"
#include "platform/dialog/DialogPlacement.h"
#include "platform/dialog/DialogText.h"
#include "platform/dialog/DialogUnits.h"
#include "platform/dialog/DialogWindow.h"
#include "platform/filedialog/FileDialog.h"
#include "platform/messagebox/MessageBoxButtons.h"
#include "platform/messagebox/MessageBoxIcon.h"
#include "platform/messagebox/MessageBoxWindow.h"

#include <FL/Fl_Return_Button.H>
#include <gtest/gtest.h>
// After the test framework: X11 defines macros that clash with its names.
#include <FL/x.H>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

using namespace host;
using namespace dialogs_test;

namespace {

std::atomic<int> g_userMessages = 0; // also read by the threads that play the user

LRESULT CountUserMessages(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_userMessages += message == WM_USER;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST(MessageBoxTypeTest, UnknownTypesGetOkAndIconValuesThatShareBitsAreToldApart) {
    ASSERT_EQ(MessageBoxButtons::For(0x0002).size(), 1u); // a box must be answerable
    EXPECT_EQ(MessageBoxButtons::For(0x0002)[0].id, IDOK);
    EXPECT_EQ(MessageBoxButtons::EscapeId(0x0005), IDOK);
    // Exclamation is hand | question, so the values are compared whole.
    using Kind = MessageBoxIcon::Kind;
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_OK), Kind::NoIcon);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_OK | MB_ICONEXCLAMATION), Kind::Exclamation);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_YESNO | MB_ICONSTOP), Kind::Stop);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_ICONQUESTION), Kind::Question);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_ICONASTERISK | MB_SYSTEMMODAL), Kind::Information);
    EXPECT_EQ(MessageBoxIcon::KindFor(0x0050), Kind::NoIcon);
}

TEST(DialogUnitsTest, ConvertsRoundingHalvesAwayAndRaisesDegenerateBases) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixelsX(217), 326); // 325.5
    EXPECT_EQ(units.ToPixelsY(81), 132);  // 131.625
    EXPECT_EQ(units.ToPixelsY(60), 98);   // 97.5
    EXPECT_EQ(units.ToPixelsX(-1), -2);   // -1.5, away from zero
    EXPECT_EQ(units.ToPixelsY(-3), -5);   // -4.875
    EXPECT_EQ(DialogUnits(0, -4).BaseX(), 1);
    EXPECT_EQ(DialogUnits(0, -4).BaseY(), 1);
    EXPECT_EQ(DialogUnits::PixelSizeForPoints(12), 16);
    EXPECT_EQ(DialogUnits::PixelSizeForPoints(-5), 11);
}

TEST(DialogPlacementTest, KeepsTheWindowOnTheScreen) {
    struct Case {
        RECT area;
        int cx, cy;
        POINT expected;
    };
    const Case cases[] = {
        {{1200, 1000, 1400, 1100}, 300, 200, {980, 824}},
        {{-500, -300, -100, -100}, 300, 200, {0, 0}},
        {{0, 0, 100, 100}, 2000, 2000, {0, 0}}, // too large: the caption stays reachable
    };
    for (const Case& c : cases) {
        const POINT got = DialogPlacement::CentreOver(c.area, c.cx, c.cy, {0, 0, 1280, 1024});
        EXPECT_EQ(got.x, c.expected.x) << c.area.left;
        EXPECT_EQ(got.y, c.expected.y) << c.area.left;
    }
}

DialogTemplate AboutTemplate() {
    DialogTemplate about;
    about.caption = "Prezerak - info";
    about.fontName = "MS Sans Serif";
    about.cx = 217;
    about.cy = 81;
    using Kind = DialogControl::Kind;
    about.controls = {
        {Kind::DefaultButton, IDOK, 81, 60, 60, 14, "OK"},
        {Kind::TextCentered, -1, 31, 44, 159, 8, "Autor: Kovo"},
        {Kind::TextLeft, -1, 47, 32, 112, 8, "- používa OpenGL knižnice"},
    };
    return about;
}

TEST(HostDialogsHookTest, EachCallGoesToItsHookWhichMayReplaceTheHooksWhileItRuns) {
    const HWND owner = reinterpret_cast<HWND>(0x10);
    std::string seen;
    DialogHooks hooks;
    hooks.messageBox = [&](HWND o, const std::string& text, const std::string& caption, UINT type) {
        seen += text + "|" + caption + "|" + std::to_string(type) + (o == owner ? ";" : "?;");
        return IDNO;
    };
    hooks.dialogBox = [&](HWND o, const DialogTemplate& dialog) {
        seen += dialog.caption + (o == owner ? ";" : "?;");
        return 42;
    };
    hooks.openFileName = [&](OPENFILENAME& ofn) {
        seen += ofn.title + ";";
        return TRUE;
    };
    SetDialogHooks(hooks);
    EXPECT_EQ(MessageBox(owner, "Save?", "Kovomodel", MB_YESNO), IDNO);
    EXPECT_EQ(DialogBox(owner, AboutTemplate()), 42);
    OPENFILENAME ofn;
    ofn.title = "Open";
    EXPECT_TRUE(GetOpenFileName(ofn));
    EXPECT_EQ(seen, "Save?|Kovomodel|4;Prezerak - info;Open;");

    const std::string answer(100, 'y'); // a capture large enough to live on the heap
    hooks.messageBox = [answer](HWND, const std::string&, const std::string&, UINT) {
        SetDialogHooks({});
        return answer.size() == 100 ? IDYES : IDNO;
    };
    SetDialogHooks(hooks);
    EXPECT_EQ(MessageBox(nullptr, "", "", MB_YESNO), IDYES);
}

TEST(HostDialogsWithoutDisplayTest, BoxesAnswerWithTheirFirstButtonDialogsCancel) {
    if (HasDisplay())
        GTEST_SKIP() << "a display is open";
    EXPECT_EQ(MessageBox(nullptr, "text", "Kovomodel", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(DialogBox(nullptr, DialogTemplate()), IDCANCEL);
    OPENFILENAME ofn;
    ofn.file = "unchanged";
    EXPECT_FALSE(GetOpenFileName(ofn));
    EXPECT_EQ(ofn.file, "unchanged");
}

class DialogsOnDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OpenDialogDisplay())
            GTEST_SKIP() << "no display";
    }
    void TearDown() override {
        if (IsWindow(m_owner))
            DestroyWindow(m_owner);
    }

    int Ask(UINT type, ModalAnswer::Action answer, HWND owner = nullptr) {
        MessageBoxWindow box("Text", "Kovomodel", type);
        return Answered(answer, [&] { return box.Run(owner); });
    }
    int Show(const DialogTemplate& dialog, ModalAnswer::Action answer) {
        DialogWindow window(dialog);
        return Answered(answer, [&] { return window.Run(nullptr, false); });
    }
    int Answered(ModalAnswer::Action answer, const std::function<int()>& run) {
        ModalAnswer modal(std::move(answer));
        const int result = run();
        EXPECT_TRUE(modal.Answered());
        return result;
    }

    HWND m_owner = nullptr;
};

std::string FocusLabel() {
    return Fl::focus() && Fl::focus()->label() ? Fl::focus()->label() : "";
}

const auto kEnter = [](Fl_Window& w) { PressKey(w, FL_Enter); };
const auto kEscape = [](Fl_Window& w) { PressKey(w, FL_Escape); };
const auto kClose = [](Fl_Window& w) { w.do_callback(); };
ModalAnswer::Action Press(const char* label) {
    return [label](Fl_Window& w) {
        Fl_Button* button = FindButton(w, label);
        ASSERT_NE(button, nullptr) << label;
        button->do_callback();
    };
}

TEST_F(DialogsOnDisplayTest, BoxesAnswerEnterWithTheFocusedButtonEscapeAndCloseWithTheCancelling) {
    struct Case {
        UINT type;
        int enter, escape;
    };
    const Case cases[] = {{MB_OK, IDOK, IDOK},
                          {MB_OKCANCEL | MB_ICONEXCLAMATION | MB_SYSTEMMODAL, IDOK, IDCANCEL},
                          {MB_YESNO, IDYES, IDNO},
                          {MB_YESNOCANCEL, IDYES, IDCANCEL}};
    // Keys a box does not use must not reach the program's shortcuts meanwhile.
    static int shortcutsSeen = 0;
    const auto count = [](int event) {
        shortcutsSeen += event == FL_SHORTCUT;
        return 0;
    };
    Fl::add_handler(count);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(Ask(c.type, kEnter), c.enter);
        EXPECT_EQ(Ask(c.type,
                      [](Fl_Window& w) {
                          PressKey(w, 'o');
                          PressKey(w, FL_F + 6);
                          PressKey(w, FL_Escape);
                      }),
                  c.escape);
        EXPECT_EQ(Ask(c.type, kClose), c.escape);
    }
    Fl::remove_handler(count);
    EXPECT_EQ(shortcutsSeen, 0);
    EXPECT_EQ(Ask(MB_YESNOCANCEL, Press("No")), IDNO);
    EXPECT_EQ(Ask(MB_OKCANCEL, Press("Cancel")), IDCANCEL);
    std::string focused;
    EXPECT_EQ(Ask(MB_YESNO,
                  [&](Fl_Window& w) {
                      focused = FocusLabel();
                      FindButton(w, "No")->take_focus();
                      PressKey(w, FL_Enter);
                  }),
              IDNO);
    EXPECT_EQ(focused, "Yes") << "the first button has the focus";
}

TEST_F(DialogsOnDisplayTest, AChildOwnersFrameIsDisabledMeanwhileStillServedAndTheBoxCentredOnIt) {
    m_owner = MakeOwner(CountUserMessages, WS_VISIBLE);
    CREATESTRUCT cs;
    cs.hwndParent = m_owner;
    cs.style = WS_CHILD | WS_VISIBLE;
    cs.cx = cs.cy = 50;
    const HWND child = CreateWindow(cs, DefWindowProc, nullptr);
    RECT area;
    ASSERT_TRUE(GetWindowRect(m_owner, &area));
    g_userMessages = 0;
    BOOL enabledDuring = TRUE;
    int centreX = 0, centreY = 0, seenWhileUp = -1;
    std::string caption;
    ModalAnswer answer([&](Fl_Window& box) {
        enabledDuring = IsWindowEnabled(m_owner);
        centreX = box.x() + box.w() / 2;
        centreY = box.y() + box.h() / 2;
        caption = box.label();
        PostMessage(m_owner, WM_USER, 0, 0);
        Fl::add_timeout(
            0.2,
            [](void* seen) {
                *static_cast<int*>(seen) = g_userMessages;
                if (Fl_Window* box = Fl::modal())
                    PressKey(*box, FL_Escape);
            },
            &seenWhileUp);
    });
    EXPECT_EQ(MessageBox(child, "Save?", "Kovomodel", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(caption, "Kovomodel");
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(seenWhileUp, 1) << "the queue kept running while the box was up";
    EXPECT_TRUE(IsWindowEnabled(m_owner));
    EXPECT_NEAR(centreX, (area.left + area.right) / 2, 1);
    EXPECT_NEAR(centreY, (area.top + area.bottom) / 2, 1);

    // An owner that was disabled before stays so.
    EnableWindow(m_owner, FALSE);
    Ask(MB_OK, kEnter, m_owner);
    EXPECT_FALSE(IsWindowEnabled(m_owner));
}

TEST_F(DialogsOnDisplayTest, ANestedBoxLeavesTheOwnerDisabledAndAnOwnerMayGoMeanwhile) {
    m_owner = MakeOwner();
    BOOL enabledAfterInner = TRUE;
    int inner = 0;
    bool outerModalAgain = false;
    const int outer = Ask(
        MB_OKCANCEL,
        [&](Fl_Window& outerBox) {
            MessageBoxWindow innerBox("Inner", "Kovomodel", MB_YESNO);
            ModalAnswer answer(kEscape);
            inner = innerBox.Run(m_owner);
            enabledAfterInner = IsWindowEnabled(m_owner);
            outerModalAgain = Fl::modal() == &outerBox;
            DestroyWindow(m_owner);
            PressKey(outerBox, FL_Escape);
        },
        m_owner);
    EXPECT_EQ(inner, IDNO);
    EXPECT_EQ(outer, IDCANCEL);
    EXPECT_FALSE(enabledAfterInner);
    EXPECT_TRUE(outerModalAgain);
}

TEST_F(DialogsOnDisplayTest, TheTextIsShownLiterallyAndWrappedAndTheCaptionNamesTheWindow) {
    const std::string text = "user@host & more: " + std::string(60, 'a') +
                             " the quick brown fox jumps over the lazy dog again and again";
    MessageBoxWindow box(text, "Kovomodel", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(box.TextWidget().Text(), text);
    EXPECT_EQ(box.Icon().IconKind(), MessageBoxIcon::Kind::Exclamation);
    EXPECT_LE(box.w(), Fl::w());
    EXPECT_GT(box.TextWidget().h(), box.TextWidget().labelsize() * 2) << "wrapped onto lines";
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    bool found = false;
    ModalAnswer modal([&](Fl_Window& w) {
        // The box is up for the toolkit at once, for the X server a moment later.
        Fl::flush();
        found = WaitUntil([] { return XServerHasWindowNamed("Kovomodel"); });
        PressKey(w, FL_Enter);
    });
    box.Run(nullptr);
    EXPECT_TRUE(found) << "the X server knows the box by its caption";
}

TEST_F(DialogsOnDisplayTest, TheAboutDialogIsLaidOutInDialogUnitsOfItsFont) {
    const DialogWindow window(AboutTemplate());
    const DialogUnits& units = window.Units();
    EXPECT_EQ(window.FontSize(), 11);
    EXPECT_GE(units.BaseX(), 5);
    EXPECT_LE(units.BaseX(), 8);
    EXPECT_GE(units.BaseY(), 11);
    EXPECT_LE(units.BaseY(), 16);
    EXPECT_EQ(window.w(), units.ToPixelsX(217));
    EXPECT_EQ(window.h(), units.ToPixelsY(81));
    EXPECT_STREQ(window.label(), "Prezerak - info");
    ASSERT_EQ(window.children(), 3);
    const Fl_Widget* ok = window.child(0);
    EXPECT_NE(dynamic_cast<const Fl_Return_Button*>(ok), nullptr);
    EXPECT_EQ(std::vector<int>({ok->x(), ok->y(), ok->w(), ok->h()}),
              std::vector<int>({units.ToPixelsX(81), units.ToPixelsY(60), units.ToPixelsX(60),
                                units.ToPixelsY(14)}));
    const auto* author = dynamic_cast<const DialogText*>(window.child(1));
    ASSERT_NE(author, nullptr);
    EXPECT_EQ(author->Text(), "Autor: Kovo");
    EXPECT_FALSE(author->align() & (FL_ALIGN_LEFT | FL_ALIGN_RIGHT)) << "centred";
    EXPECT_TRUE(window.child(2)->align() & FL_ALIGN_LEFT);
}

TEST_F(DialogsOnDisplayTest, DialogsEnterPressesTheDefaultButtonEscapeAndCloseCancel) {
    DialogTemplate dialog = AboutTemplate();
    dialog.controls.push_back({DialogControl::Kind::Button, 42, 150, 60, 60, 14, "More"});
    std::string focused;
    EXPECT_EQ(Show(dialog,
                   [&](Fl_Window& w) {
                       focused = FocusLabel();
                       PressKey(w, FL_Enter);
                   }),
              IDOK);
    EXPECT_EQ(focused, "OK");
    EXPECT_EQ(Show(dialog, kEscape), IDCANCEL);
    EXPECT_EQ(Show(dialog, kClose), IDCANCEL);
    EXPECT_EQ(Show(dialog, Press("More")), 42);

    bool shownAfterEnter = false;
    EXPECT_EQ(Show(DialogTemplate(),
                   [&](Fl_Window& w) {
                       PressKey(w, FL_Enter);
                       shownAfterEnter = w.shown();
                       PressKey(w, FL_Escape);
                   }),
              IDCANCEL);
    EXPECT_TRUE(shownAfterEnter) << "without a default button Enter does nothing";
}

using Filters = std::vector<std::pair<std::string, std::string>>;

TEST(FileDialogFilterTest, PatternListsAreTranslatedAndOddEntriesMadeHarmless) {
    const std::pair<Filters, std::string> cases[] = {
        {{{"Models (*.dat)", "*.dat"}, {"Text", "*.txt;*.*;;*.log"}, {"All Files (*.*)", "*.*"}},
         "Models (*.dat)\t*.dat\nText\t{*.txt,*,*.log}\nAll Files (*.*)\t*"},
        {{}, ""},
        {{{"Nothing", ""}, {"Nor this", ";;"}}, ""},
        {{{"", "*.dat"}}, "*.dat\t*.dat"},
        {{{"Bad\tla\nbel", "*.dat"}}, "Bad la bel\t*.dat"},
    };
    for (const auto& [filters, text] : cases)
        EXPECT_EQ(FileDialog::FilterText(filters), text);
}

TEST(FileDialogRunTest, AMissingFileIsRefusedWithAMessageWhileTheOwnerStaysDisabled) {
    const HWND owner = MakeOwner();
    const std::string existing =
        (std::filesystem::temp_directory_path() / "kovo-file-dialog-test.dat").string();
    const std::string missing = existing + ".missing";
    std::ofstream(existing) << "x";
    std::filesystem::remove(missing);
    std::vector<std::string> messages;
    std::vector<BOOL> enabled; // at each question and each message
    DialogHooks hooks;
    hooks.messageBox = [&](HWND o, const std::string& text, const std::string& caption, UINT type) {
        EXPECT_EQ(o, owner);
        EXPECT_EQ(type & MB_TYPEMASK, MB_OK);
        enabled.push_back(IsWindowEnabled(owner));
        messages.push_back(text + "|" + caption);
        return IDOK;
    };
    SetDialogHooks(hooks);
    // Answers from a list of names; an empty one, or the end, cancels.
    const auto run = [&](OPENFILENAME& ofn, std::vector<std::string> answers) {
        size_t next = 0;
        return FileDialog::Run(ofn, [&](const OPENFILENAME&) -> std::optional<std::string> {
            enabled.push_back(IsWindowEnabled(owner));
            if (next >= answers.size() || answers[next].empty())
                return std::nullopt;
            return answers[next++];
        });
    };

    OPENFILENAME ofn;
    ofn.owner = owner;
    ofn.title = "Open model";
    EXPECT_TRUE(run(ofn, {missing, existing}));
    EXPECT_EQ(ofn.file, existing);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            missing + "\nFile not found.\nCheck the file name and try again.|"
                                      "Open model"}));
    EXPECT_EQ(enabled, (std::vector<BOOL>{FALSE, FALSE, FALSE}));
    EXPECT_TRUE(IsWindowEnabled(owner));

    // Cancelling after refusals leaves the file alone; an untitled dialog is "Open".
    ofn.file = "before";
    ofn.title.clear();
    EXPECT_FALSE(run(ofn, {missing, missing, ""}));
    EXPECT_EQ(ofn.file, "before");
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].substr(messages[2].size() - 5), "|Open");

    // A name that need not exist is taken at once; no name is a cancel.
    enabled.clear();
    ofn.fileMustExist = false;
    EXPECT_TRUE(run(ofn, {missing}));
    EXPECT_EQ(ofn.file, missing);
    EXPECT_EQ(enabled.size(), 1u);
    EXPECT_FALSE(FileDialog::Run(ofn, [](const OPENFILENAME&) { return std::string(); }));
    EXPECT_EQ(ofn.file, missing);
    EXPECT_EQ(messages.size(), 3u);
    SetDialogHooks({});
    std::filesystem::remove(existing);
    DestroyWindow(owner);
}

/// The native chooser runs its own loop; it is answered from outside, as a
/// user would, and is meanwhile left alone long enough for our queue to run.
TEST(FileDialogNativeTest, TheChooserIsFoundByItsTitleKeepsOurQueueRunningAndEscapeCancels) {
    if (!OpenDisplay())
        GTEST_SKIP() << "no display";
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    const HWND owner = MakeOwner(CountUserMessages, WS_VISIBLE);
    g_userMessages = 0;
    PostMessage(owner, WM_USER, 0, 0);
    std::thread user([] {
        // Escape once the chooser is up and our queue has run beneath it;
        // again until it is gone, should a press come before it listens.
        const char* const title = "Open kovo-dialog-test";
        WaitUntil([&] { return XServerHasWindowNamed(title); });
        WaitUntil([] { return g_userMessages > 0; });
        WaitUntil([&] {
            std::system("xdotool search --name '^Open kovo-dialog-test$' key --window %1 Escape"
                        " >/dev/null 2>&1");
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            return !XServerHasWindowNamed(title);
        });
    });
    OPENFILENAME ofn;
    ofn.owner = owner;
    ofn.title = "Open kovo-dialog-test";
    ofn.filters = {{"All Files (*.*)", "*.*"}};
    ofn.file = "unchanged";
    const BOOL chosen = GetOpenFileName(ofn);
    user.join();
    EXPECT_FALSE(chosen);
    EXPECT_EQ(ofn.file, "unchanged");
    EXPECT_EQ(g_userMessages.load(), 1)
        << "the message posted before was handled while the chooser was up";
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

} // namespace

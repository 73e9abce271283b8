#include "app/AppResources.h"

#include "app/MainIcon.h"
#include "app/Resource.h"
#include "framework/ResourceRegistry.h"

#include <utility>

const char* const kAppTitle = "Kovomodel";
const char* const kDocumentString = "Kovomodel\n\nKovomo\n\n\nKovomodel.Document\nKovomo Document";

namespace {

MenuResourceItem Item(const char* text, unsigned id, unsigned flags = host::MF_STRING) {
    return MenuResourceItem{text, id, flags, {}};
}

MenuResourceItem Separator() {
    return MenuResourceItem{"", 0, host::MF_SEPARATOR, {}};
}

MenuResourceItem Popup(const char* text, std::vector<MenuResourceItem> children) {
    return MenuResourceItem{text, 0, host::MF_POPUP, std::move(children)};
}

host::ACCEL Key(host::BYTE modifiers, host::WORD key, unsigned command) {
    return host::ACCEL{static_cast<host::BYTE>(host::FVIRTKEY | modifiers), key,
                       static_cast<host::WORD>(command)};
}

host::DialogControl Control(host::DialogControl::Kind kind, int id, int x, int y, int cx, int cy,
                            const char* text) {
    return host::DialogControl{kind, id, x, y, cx, cy, text};
}

} // namespace

std::vector<MenuResourceItem> MainMenuEntries() {
    return {
        Popup("&Dáta...", {Item("&Načítať...\tCtrl+O", ID_FILE_OPEN), Separator(),
                           // Placeholder: the framework puts the recent files here.
                           Item("Recent File", ID_FILE_MRU_FILE1, host::MF_GRAYED),
                           Item("aj objekty v strede?", ID_DATA_OBJECTS), Separator(),
                           Item("&Koniec", ID_APP_EXIT)}),
        Popup("Model...", {Item("Bodový", ID_MODEL_POINTS), Item("Drôtený", ID_MODEL_WIRE),
                           Item("Stenový", ID_MODEL_SOLID)}),
        Popup("Tónovanie...",
              {Item("Konštantné", ID_SHADING_FLAT), Item("Hladké", ID_SHADING_SMOOTH)}),
        // A command directly on the bar: it opens no popup.
        Item("Info", ID_APP_ABOUT),
    };
}

std::vector<host::ACCEL> MainAccelerators() {
    using namespace host;
    return {
        Key(FCONTROL, 'N', ID_FILE_NEW),       Key(FCONTROL, 'O', ID_FILE_OPEN),
        Key(FCONTROL, 'S', ID_FILE_SAVE),      Key(FCONTROL, 'Z', ID_EDIT_UNDO),
        Key(FCONTROL, 'X', ID_EDIT_CUT),       Key(FCONTROL, 'C', ID_EDIT_COPY),
        Key(FCONTROL, 'V', ID_EDIT_PASTE),     Key(FALT, VK_BACK, ID_EDIT_UNDO),
        Key(FSHIFT, VK_DELETE, ID_EDIT_CUT),   Key(FCONTROL, VK_INSERT, ID_EDIT_COPY),
        Key(FSHIFT, VK_INSERT, ID_EDIT_PASTE), Key(0, VK_F6, ID_NEXT_PANE),
        Key(FSHIFT, VK_F6, ID_PREV_PANE),
    };
}

host::DialogTemplate AboutDialogTemplate() {
    using Kind = host::DialogControl::Kind;
    host::DialogTemplate dialog;
    dialog.caption = "Prezerak - info";
    dialog.fontName = "MS Sans Serif";
    dialog.pointSize = 8;
    dialog.cx = 217;
    dialog.cy = 81;
    // The author line comes before the OpenGL line in tab order although it is
    // drawn below it.
    dialog.controls = {
        Control(Kind::DefaultButton, IDOK_BUTTON, 81, 60, 60, 14, "OK"),
        Control(Kind::TextCentered, IDC_STATIC, 13, 15, 197, 10,
                "Prezerak - jednoduchý prehliadač 3D objektov:"),
        Control(Kind::TextLeft, IDC_STATIC, 47, 24, 152, 9,
                "- podporuje zatiaľ len dodané \".dat\" súbory"),
        Control(Kind::TextCentered, IDC_STATIC, 31, 44, 159, 8, "Autor: tím Kovomodel"),
        Control(Kind::TextLeft, IDC_STATIC, 47, 32, 112, 8, "- používa OpenGL knižnice"),
    };
    return dialog;
}

void RegisterAppResources() {
    ResourceRegistry::RegisterString(IDR_MAINFRAME, kDocumentString);
    ResourceRegistry::RegisterString(IDS_APP_TITLE, kAppTitle);
    ResourceRegistry::RegisterMenu(IDR_MAINFRAME, MainMenuEntries());
    ResourceRegistry::RegisterAccelerators(IDR_MAINFRAME, MainAccelerators());
    ResourceRegistry::RegisterIcon(IDR_MAINFRAME, MainIconImages());
    ResourceRegistry::RegisterDialog(IDD_ABOUTBOX, AboutDialogTemplate());
}

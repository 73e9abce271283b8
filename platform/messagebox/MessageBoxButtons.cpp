#include "platform/messagebox/MessageBoxButtons.h"

namespace host {

std::vector<MessageBoxButton> MessageBoxButtons::For(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    case MB_YESNO:
        return {{"Yes", IDYES}, {"No", IDNO}};
    case MB_YESNOCANCEL:
        return {{"Yes", IDYES}, {"No", IDNO}, {"Cancel", IDCANCEL}};
    default:
        return {{"OK", IDOK}};
    }
}

int MessageBoxButtons::EscapeId(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

} // namespace host

#pragma once
// How a handler table entry calls its handler.

enum class MessageSignature : unsigned {
    End = 0,       ///< ends a table
    Command,       ///< void ()
    CommandWithId, ///< BOOL (UINT id); FALSE lets routing go on
    Update,        ///< void (CCmdUI*)
    Create,        ///< int (CREATESTRUCT*); -1 refuses creation
    Size,          ///< void (UINT type, int cx, int cy)
    Mouse,         ///< void (UINT flags, int x, int y)
    Plain,         ///< void ()
    Message,       ///< LRESULT (WPARAM, LPARAM)
};

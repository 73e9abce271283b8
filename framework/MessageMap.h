#pragma once
// The handler table of one class: its own entries, then its base's table.
//
// Declaring a table:
//
//   // in the class body
//   KOVO_DECLARE_MESSAGE_MAP()
//
//   // in the .cpp file
//   KOVO_BEGIN_MESSAGE_MAP(CMyDoc, CDocument)
//       KOVO_ON_COMMAND(ID_MODEL_WIRE, &CMyDoc::OnModelWire)
//       KOVO_ON_UPDATE(ID_MODEL_WIRE, &CMyDoc::OnUpdateModelWire)
//   KOVO_END_MESSAGE_MAP()

#include "framework/MessageMapEntry.h"

struct MessageMap {
    /// The first entry along this table and its bases that matches; the own
    /// entries are searched completely, in declaration order, before the
    /// base's. Null when none matches.
    const MessageMapEntry* Find(host::UINT message, host::UINT code, host::UINT id) const;

    const MessageMap* base = nullptr;         ///< null only for the root table
    const MessageMapEntry* entries = nullptr; ///< ended by a signature End entry
};

#define KOVO_DECLARE_MESSAGE_MAP()                                                                 \
public:                                                                                            \
    static const MessageMap s_messageMap;                                                          \
    const MessageMap* GetMessageMap() const override;                                              \
                                                                                                   \
private:                                                                                           \
    static const MessageMapEntry s_messageEntries[];                                               \
                                                                                                   \
public:

#define KOVO_BEGIN_MESSAGE_MAP(theClass, baseClass)                                                \
    const MessageMap* theClass::GetMessageMap() const {                                            \
        return &theClass::s_messageMap;                                                            \
    }                                                                                              \
    const MessageMap theClass::s_messageMap = {&baseClass::s_messageMap,                           \
                                               &theClass::s_messageEntries[0]};                    \
    const MessageMapEntry theClass::s_messageEntries[] = {

#define KOVO_END_MESSAGE_MAP()                                                                     \
    { 0, 0, 0, 0, MessageSignature::End, MessageHandler() }                                        \
    }                                                                                              \
    ;

#define KOVO_MESSAGE_ENTRY(message, code, first, last, signature, type, fn)                        \
    {message, code, first, last, signature, MessageHandler(static_cast<MessageHandler::type>(fn))},

/// A command: void handler().
#define KOVO_ON_COMMAND(id, fn)                                                                    \
    KOVO_MESSAGE_ENTRY(host::WM_COMMAND, 0, id, id, MessageSignature::Command, CommandFn, fn)
#define KOVO_ON_COMMAND_RANGE(first, last, fn)                                                     \
    KOVO_MESSAGE_ENTRY(host::WM_COMMAND, 0, first, last, MessageSignature::Command, CommandFn, fn)
/// A command whose handler takes the id and returns BOOL (FALSE: not handled).
#define KOVO_ON_COMMAND_WITH_ID(id, fn)                                                            \
    KOVO_MESSAGE_ENTRY(host::WM_COMMAND, 0, id, id, MessageSignature::CommandWithId,               \
                       CommandWithIdFn, fn)
#define KOVO_ON_COMMAND_WITH_ID_RANGE(first, last, fn)                                             \
    KOVO_MESSAGE_ENTRY(host::WM_COMMAND, 0, first, last, MessageSignature::CommandWithId,          \
                       CommandWithIdFn, fn)
/// A menu update: void handler(CCmdUI*).
#define KOVO_ON_UPDATE(id, fn)                                                                     \
    KOVO_MESSAGE_ENTRY(host::WM_COMMAND, 0xFFFFFFFFu, id, id, MessageSignature::Update, UpdateFn,  \
                       fn)
/// WM_CREATE: int handler(host::CREATESTRUCT*).
#define KOVO_ON_CREATE(fn)                                                                         \
    KOVO_MESSAGE_ENTRY(host::WM_CREATE, 0, 0, 0, MessageSignature::Create, CreateFn, fn)
/// WM_SIZE: void handler(UINT type, int cx, int cy).
#define KOVO_ON_SIZE(fn)                                                                           \
    KOVO_MESSAGE_ENTRY(host::WM_SIZE, 0, 0, 0, MessageSignature::Size, PointFn, fn)
/// A mouse message: void handler(UINT flags, int x, int y).
#define KOVO_ON_MOUSE(message, fn)                                                                 \
    KOVO_MESSAGE_ENTRY(message, 0, 0, 0, MessageSignature::Mouse, PointFn, fn)
/// A message without arguments or result (WM_PAINT, WM_DESTROY): void handler().
#define KOVO_ON_PLAIN(message, fn)                                                                 \
    KOVO_MESSAGE_ENTRY(message, 0, 0, 0, MessageSignature::Plain, CommandFn, fn)
/// Any message: LRESULT handler(WPARAM, LPARAM).
#define KOVO_ON_MESSAGE(message, fn)                                                               \
    KOVO_MESSAGE_ENTRY(message, 0, 0, 0, MessageSignature::Message, MessageFn, fn)

#pragma once
// Where the recent-file list keeps its entries: the application's profile in
// the program, a plain map in tests.

#include "platform/HostTypes.h"

#include <string>

class CProfileStore {
public:
    virtual ~CProfileStore() = default;

    /// The value of key in section, or defaultValue (null reads as "") when
    /// there is none.
    virtual std::string ReadString(const char* section, const char* key,
                                   const char* defaultValue) = 0;
    /// Stores value; a null key deletes the section, a null value the key.
    /// FALSE when it could not be stored.
    virtual host::BOOL WriteString(const char* section, const char* key, const char* value) = 0;
};

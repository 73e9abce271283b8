#pragma once
// A failure while reading or writing a document through an archive.

#include "framework/CException.h"

class CArchiveException : public CException {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CArchiveException)

    enum Cause {
        None = 0,
        Generic,
        ReadOnly,
        EndOfFile,
        WriteOnly,
        BadIndex,
        BadClass,
        BadSchema,
    };

    explicit CArchiveException(Cause cause = Generic) : m_cause(cause) {}

    /// TRUE for the causes that mean the file is not in the expected format.
    bool IsFormatError() const;

    Cause m_cause = Generic;
};

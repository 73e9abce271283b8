#pragma once
// A failed file operation: the cause, the host's error code (errno) and the
// file's name. The cause selects the text for the user (string
// fw::IDS_FILE_CAUSE_FIRST plus the cause, "%1" standing for the file name).

#include "framework/CException.h"

class CFileException : public CException {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CFileException)

    enum Cause {
        None = 0,
        Generic = 1,
        FileNotFound = 2,
        BadPath = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        InvalidFile = 6,
        RemoveCurrentDir = 7,
        DirectoryFull = 8,
        BadSeek = 9,
        HardIo = 10,
        SharingViolation = 11,
        LockViolation = 12,
        DiskFull = 13,
        EndOfFile = 14,
    };

    CFileException(int cause, int hostError, std::string fileName)
        : m_cause(cause), m_hostError(hostError), m_fileName(std::move(fileName)) {}

    /// The cause for an errno value, by meaning; unknown values give Generic.
    static int CauseFromErrno(int error);
    /// An exception for errno error while accessing fileName.
    static CFileException FromErrno(int error, const std::string& fileName);

    /// The cause's text with the file name (or "an unnamed file") for "%1".
    bool GetErrorMessage(std::string& text) const override;

    int m_cause = Generic;
    int m_hostError = 0; ///< errno; 0 when the failure has no host error
    std::string m_fileName;
};

#include "framework/CArchiveException.h"
#include "framework/CException.h"
#include "framework/CFileException.h"
#include "framework/CMemoryException.h"
#include "framework/CUserException.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkText.h"
#include "framework/ResourceRegistry.h"

#include <cerrno>

KOVO_IMPLEMENT_RUNTIME_CLASS(CException, CObject)
KOVO_IMPLEMENT_RUNTIME_CLASS(CMemoryException, CException)
KOVO_IMPLEMENT_RUNTIME_CLASS(CUserException, CException)
KOVO_IMPLEMENT_RUNTIME_CLASS(CArchiveException, CException)
KOVO_IMPLEMENT_RUNTIME_CLASS(CFileException, CException)

bool CException::GetErrorMessage(std::string&) const {
    return false;
}

bool CMemoryException::GetErrorMessage(std::string& text) const {
    text = ResourceRegistry::LoadString(fw::IDS_MEMORY_EXCEPTION);
    return true;
}

bool CArchiveException::IsFormatError() const {
    return m_cause == EndOfFile || m_cause == BadIndex || m_cause == BadClass ||
           m_cause == BadSchema;
}

int CFileException::CauseFromErrno(int error) {
    switch (error) {
    case 0:
        return None;
    case ENOENT:
        return FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return BadPath;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
        return AccessDenied;
    case EIO:
        return HardIo;
    case EWOULDBLOCK:
        return SharingViolation;
    default:
        return Generic;
    }
}

CFileException CFileException::FromErrno(int error, const std::string& fileName) {
    return CFileException(CauseFromErrno(error), error, fileName);
}

bool CFileException::GetErrorMessage(std::string& text) const {
    const std::string name =
        m_fileName.empty() ? ResourceRegistry::LoadString(fw::IDS_UNNAMED_FILE) : m_fileName;
    text = FormatText(ResourceRegistry::LoadString(fw::IDS_FILE_CAUSE_FIRST + m_cause), name);
    return true;
}

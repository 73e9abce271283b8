#include "app/StartupModels.h"

#include "app/CKovomodelDoc.h"
#include "framework/CCommandLineInfo.h"
#include "model/FileIdentity.h"
#include "model/Model.h"

#include <utility>

StartupModels* StartupModels::s_current = nullptr;

StartupModels::StartupModels(int argc, char** argv, std::function<void()> spareWork)
    : StartupModels(FilesToRead(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc)),
                    std::move(spareWork)) {}

StartupModels::StartupModels(const std::vector<std::string>& files, std::function<void()> spareWork)
    : m_prefetch(files, TotalSize(files) <= kSpareWorkBytes ? std::move(spareWork) : nullptr),
      m_previous(s_current) {
    s_current = this;
}

StartupModels::~StartupModels() {
    s_current = m_previous;
}

bool StartupModels::Open(Model& model, const std::string& path,
                         const std::function<void()>& whileFinishing) {
    if (s_current == nullptr) {
        return model.Open(path);
    }
    return s_current->m_prefetch.Open(model, path, whileFinishing);
}

int StartupModels::Hits() {
    return s_current == nullptr ? 0 : s_current->m_prefetch.Hits();
}

std::vector<std::string> StartupModels::FilesToRead(const std::vector<std::string>& arguments) {
    std::vector<std::string> files{CKovomodelDoc::kDefaultModel};
    CCommandLineInfo request;
    request.ParseArguments(arguments);
    switch (request.m_shellCommand) {
    case CCommandLineInfo::OpenNamedFile:
    case CCommandLineInfo::PrintFile:
    case CCommandLineInfo::PrintFileTo:
        files.push_back(request.m_fileName);
        break;
    default:
        break;
    }
    return files;
}

std::int64_t StartupModels::TotalSize(const std::vector<std::string>& files) {
    std::int64_t total = 0;
    for (const std::string& path : files) {
        const FileIdentity file = FileIdentity::Of(path);
        total += file.regular ? file.size : 0;
    }
    return total;
}

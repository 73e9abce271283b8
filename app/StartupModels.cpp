#include "app/StartupModels.h"

#include "app/CKovomodelDoc.h"
#include "framework/CCommandLineInfo.h"
#include "model/Model.h"

#include <utility>

StartupModels* StartupModels::s_current = nullptr;

StartupModels::StartupModels(int argc, char** argv, std::function<void()> whileFinishing)
    : m_prefetch(FilesToRead(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc))),
      m_whileFinishing(std::move(whileFinishing)), m_previous(s_current) {
    s_current = this;
}

StartupModels::~StartupModels() {
    s_current = m_previous;
}

bool StartupModels::Open(Model& model, const std::string& path) {
    if (s_current == nullptr) {
        return model.Open(path);
    }
    const std::function<void()>& whileFinishing = s_current->m_whileFinishing;
    if (!s_current->m_prefetch.Open(model, path, whileFinishing)) {
        return false;
    }
    if (whileFinishing) {
        whileFinishing();
    }
    return true;
}

void StartupModels::EndStartup() noexcept {
    if (s_current != nullptr) {
        s_current->m_prefetch.Finish();
    }
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

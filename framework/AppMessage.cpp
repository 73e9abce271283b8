#include "framework/AppMessage.h"

#include "framework/CWinApp.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostDialogs.h"

int ShowAppMessage(const std::string& text, host::UINT type, host::UINT helpId) {
    if (CWinApp* app = CWinApp::Current()) {
        return app->ShowMessage(text, type, helpId);
    }
    return host::MessageBox(nullptr, text, "", type);
}

int ShowAppMessage(host::UINT stringId, host::UINT type) {
    return ShowAppMessage(ResourceRegistry::LoadString(stringId), type, stringId);
}

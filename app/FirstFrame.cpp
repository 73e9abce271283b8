#include "app/FirstFrame.h"

#include "platform/FontConfigurationLoad.h"
#include "platform/HostGl.h"
#include "platform/HostMenu.h"
#include "render/Scene.h"

void PrepareFirstFrame() {
    static bool s_prepared = false;
    if (s_prepared || !host::HasCurrentGlContext()) {
        return;
    }
    s_prepared = true;
    {
        const host::FontConfigurationLoad fonts;
        PrepareSceneDrawing();
    }
    host::PrepareMenuFont();
}

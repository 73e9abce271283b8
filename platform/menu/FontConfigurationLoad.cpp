#include "platform/FontConfigurationLoad.h"

#include "platform/HostDisplay.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace host {

FontConfigurationLoad::FontConfigurationLoad() {
    if (!HasDisplay()) {
        return; // no font will be loaded
    }
    try {
        // The toolkit's fonts are matched against the current configuration,
        // which this makes. Reading it twice at once would build it twice, so
        // the reader is waited for before any font is loaded.
        m_reader = std::thread([this] { m_read = FcInit() == FcTrue; });
    } catch (const std::system_error&) {
        // No thread to spare: the first font loaded reads it, as it would have.
    }
}

FontConfigurationLoad::~FontConfigurationLoad() {
    Wait();
}

bool FontConfigurationLoad::Wait() {
    if (m_reader.joinable()) {
        m_reader.join();
    }
    return m_read;
}

} // namespace host

#include "framework/FrameworkStrings.h"

#include "framework/ResourceRegistry.h"

namespace {

struct StringResource {
    host::UINT id;
    const char* text;
};

const StringResource kStrings[] = {
    {61440, "Open"},
    {61441, "Save As"},
    {61442, "All Files (*.*)"},
    {61443, "Untitled"},
    {61446, "an unnamed file"},
    {61475, "Out of memory."},
    {61697, "Failed to open document."},
    {61699, "Save changes to %1?"},
    {61700, "Failed to create empty document."},
    {61704, "Internal application error."},
    {61705, "Command failed."},
    {61707, "System registry entries have been removed and the INI file (if any) was deleted."},
    {61708, "Not all of the system registry entries (or INI file) were removed."},
    {61728, "Unexpected file format."},
    {61856, "No error occurred."},
    {61857, "An unknown error occurred while accessing %1."},
    {61858, "%1 was not found."},
    {61859, "%1 contains an invalid path."},
    {61860, "%1 could not be opened because there are too many open files."},
    {61861, "Access to %1 was denied."},
    {61862, "An invalid file handle was associated with %1."},
    {61863, "%1 could not be removed because it is the current directory."},
    {61864, "%1 could not be created because the directory is full."},
    {61865, "Seek failed on %1"},
    {61866, "A hardware I/O error was reported while accessing %1."},
    {61867, "A sharing violation occurred while accessing %1."},
    {61868, "A locking violation occurred while accessing %1."},
    {61869, "Disk full while accessing %1."},
    {61870, "An attempt was made to access %1 past its end."},
};

} // namespace

void RegisterFrameworkStrings() {
    for (const StringResource& s : kStrings) {
        ResourceRegistry::RegisterString(s.id, s.text);
    }
}

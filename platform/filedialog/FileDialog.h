#pragma once
// The open-file dialog: the toolkit's native file chooser, with the host's
// filter list translated, asked again for as long as the user confirms a
// name that does not exist.

#include "platform/HostDialogs.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

class FileDialog {
public:
    /// Asks once; the chosen path, or nothing when the user cancelled.
    using Chooser = std::function<std::optional<std::string>(const OPENFILENAME&)>;

    /// Asks with chooser until the user cancels (FALSE) or confirms a name
    /// that is acceptable (TRUE, ofn.file set). When ofn.fileMustExist, a
    /// name that does not exist is refused with a message box owned by
    /// ofn.owner and captioned with the dialog's title, and the user is asked
    /// again. ofn.owner is disabled throughout. ofn.file is left alone on
    /// cancel.
    static BOOL Run(OPENFILENAME& ofn, const Chooser& chooser);

    /// Asks once with the toolkit's native chooser, the owner disabled
    /// meanwhile. Nothing on cancel or when the chooser fails. Needs an open
    /// display.
    static std::optional<std::string> AskNative(const OPENFILENAME& ofn);

    /// The filter list in the toolkit's syntax: "label\tpattern" lines joined
    /// by newlines. Patterns separated by ";" become one "{a,b}" alternative,
    /// and "*.*" becomes "*", since here it must match names without a dot.
    /// Entries with an empty pattern are left out.
    static std::string FilterText(const std::vector<std::pair<std::string, std::string>>& filters);

    /// The dialog's title: ofn.title, or "Open" when that is empty.
    static std::string Title(const OPENFILENAME& ofn);
    /// The text that refuses a missing file.
    static std::string NotFoundText(const std::string& path);
};

} // namespace host

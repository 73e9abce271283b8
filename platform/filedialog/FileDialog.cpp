#include "platform/filedialog/FileDialog.h"

#include "platform/HostDisplay.h"
#include "platform/dialog/DialogOwner.h"
#include "platform/filedialog/FileDialogWakeUp.h"

#include <FL/Fl_Native_File_Chooser.H>

#include <filesystem>
#include <system_error>

namespace host {

namespace {

/// One host pattern ("*.dat", "*.*") in the toolkit's syntax.
std::string ToolkitPattern(const std::string& pattern) {
    return pattern == "*.*" ? "*" : pattern;
}

/// A ";"-separated host pattern list; empty entries are dropped.
std::vector<std::string> SplitPatterns(const std::string& patterns) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) {
            end = patterns.size();
        }
        const std::string part = patterns.substr(start, end - start);
        if (!part.empty()) {
            parts.push_back(ToolkitPattern(part));
        }
        start = end + 1;
    }
    return parts;
}

std::string JoinAlternatives(const std::vector<std::string>& parts) {
    if (parts.size() == 1) {
        return parts.front();
    }
    std::string joined = "{";
    for (size_t i = 0; i < parts.size(); ++i) {
        joined += (i ? "," : "") + parts[i];
    }
    return joined + "}";
}

/// Tabs and newlines separate the toolkit's filter fields, so a label must
/// not contain them.
std::string CleanLabel(std::string label) {
    for (char& c : label) {
        if (c == '\t' || c == '\n') {
            c = ' ';
        }
    }
    return label;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string StartDirectory(const OPENFILENAME& ofn) {
    if (!ofn.initialDir.empty()) {
        return ofn.initialDir;
    }
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

} // namespace

BOOL FileDialog::Run(OPENFILENAME& ofn, const Chooser& chooser) {
    // The owner stays disabled across refusals, not only while each
    // chooser is up.
    const DialogOwner ownerLock(ofn.owner);
    for (;;) {
        const std::optional<std::string> chosen = chooser(ofn);
        if (!chosen || chosen->empty()) {
            return FALSE;
        }
        if (!ofn.fileMustExist || Exists(*chosen)) {
            ofn.file = *chosen;
            return TRUE;
        }
        MessageBox(ofn.owner, NotFoundText(*chosen), Title(ofn), MB_OK | MB_ICONEXCLAMATION);
    }
}

std::optional<std::string> FileDialog::AskNative(const OPENFILENAME& ofn) {
    const DialogOwner ownerLock(ofn.owner);
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_FILE);
    const std::string title = Title(ofn);
    const std::string filter = FilterText(ofn.filters);
    const std::string directory = StartDirectory(ofn);
    chooser.title(title.c_str());
    if (!filter.empty()) {
        chooser.filter(filter.c_str());
    }
    if (!directory.empty()) {
        chooser.directory(directory.c_str());
    }
    const ModalScope scope;
    const FileDialogWakeUp wakeUp;
    if (chooser.show() != 0 || !chooser.filename()) {
        return std::nullopt;
    }
    return std::string(chooser.filename());
}

std::string
FileDialog::FilterText(const std::vector<std::pair<std::string, std::string>>& filters) {
    std::string text;
    for (const auto& [label, patterns] : filters) {
        const std::vector<std::string> parts = SplitPatterns(patterns);
        if (parts.empty()) {
            continue;
        }
        if (!text.empty()) {
            text += '\n';
        }
        const std::string pattern = JoinAlternatives(parts);
        text += (label.empty() ? pattern : CleanLabel(label)) + '\t' + pattern;
    }
    return text;
}

std::string FileDialog::Title(const OPENFILENAME& ofn) {
    return ofn.title.empty() ? std::string("Open") : ofn.title;
}

std::string FileDialog::NotFoundText(const std::string& path) {
    return path + "\nFile not found.\nCheck the file name and try again.";
}

} // namespace host

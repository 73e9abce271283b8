#include "AppTestFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

const char* const AppTestFolder::kPyramid = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n"
                                            "1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n";
const char* const AppTestFolder::kTetrahedron =
    "0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n";

AppTestFolder::AppTestFolder() : m_previous(fs::current_path().string()) {
    std::string pattern = (fs::temp_directory_path() / "kovo-app-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    m_dir = pattern;
    fs::current_path(m_dir);
    // The profile goes to the scratch folder too, never to the user's.
    setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
}

AppTestFolder::~AppTestFolder() {
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
    fs::remove_all(m_dir, ignored);
}

std::string AppTestFolder::Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    return Path(name);
}

std::string AppTestFolder::Path(const std::string& name) const {
    return (fs::path(m_dir) / name).string();
}

#pragma once
// A scratch working directory for one test: made and entered on construction,
// left and removed on destruction. The document loads "dom.dat" from the
// working directory, so each test states what lies there.

#include <string>

class AppTestFolder {
public:
    AppTestFolder();
    ~AppTestFolder();
    AppTestFolder(const AppTestFolder&) = delete;
    AppTestFolder& operator=(const AppTestFolder&) = delete;

    /// Writes text to name in the folder; returns its full path.
    std::string Write(const std::string& name, const std::string& text) const;
    /// The full path of name in the folder.
    std::string Path(const std::string& name) const;

    static const char* const kPyramid;     ///< a surface model of 5 vertices, 5 faces
    static const char* const kTetrahedron; ///< a wire model of 4 vertices, 6 edges

private:
    std::string m_previous;
    std::string m_dir;
};

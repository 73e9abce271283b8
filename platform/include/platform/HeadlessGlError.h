#pragma once

#include <stdexcept>
#include <string>

namespace host {

/// An OpenGL context without a window could not be made: the system has no
/// EGL, no surfaceless platform, no suitable configuration, or refuses the
/// size asked for. Thrown by HeadlessGlContext; what() is one line that says
/// which step failed and, where EGL gives one, its error name.
class HeadlessGlError : public std::runtime_error {
public:
    explicit HeadlessGlError(const std::string& reason) : std::runtime_error(reason) {}
};

} // namespace host

#include "platform/HostGl.h"
namespace host {
int ChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) {
    return 0;
}
int DescribePixelFormat(HDC, int, UINT, PIXELFORMATDESCRIPTOR*) {
    return 0;
}
BOOL SetPixelFormat(HDC, int, const PIXELFORMATDESCRIPTOR*) {
    return FALSE;
}
HGLRC wglCreateContext(HDC) {
    return nullptr;
}
BOOL wglMakeCurrent(HDC, HGLRC) {
    return FALSE;
}
HGLRC wglGetCurrentContext() {
    return nullptr;
}
BOOL wglDeleteContext(HGLRC) {
    return FALSE;
}
BOOL SwapBuffers(HDC) {
    return FALSE;
}
} // namespace host

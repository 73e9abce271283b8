// The document's display commands on the program's own view and its OpenGL
// context: the polygon modes only change state, while the toggle and the
// shading commands draw one frame into the back buffer, which nobody sees.

#include "../platform/DisplayProcess.h"
#include "KovomodelTestSupport.h"

#include "app/Resource.h"
#include "platform/HostWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using apptest::KovomodelTest;

constexpr std::array<std::uint8_t, 3> kMark = {255, 0, 255};

// Fills the back buffer with the mark, keeping the scene's clear colour.
void MarkBackBuffer() {
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glClearColor(kMark[0] / 255.0f, kMark[1] / 255.0f, kMark[2] / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
}

// The share of the back buffer's pixels, width x height, that still hold the mark.
double MarkedShare(int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::size_t marked = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        marked += std::equal(kMark.begin(), kMark.end(), pixels.begin() + i) ? 1 : 0;
    }
    return static_cast<double>(marked) / (static_cast<double>(width) * height);
}

TEST_F(KovomodelTest, OnlyTheToggleAndTheShadingCommandsDrawAFrame) {
    host::test::RunWithDisplay([this] {
        ASSERT_TRUE(Start());
        ASSERT_NE(View()->m_surface.m_hGLContext, nullptr);
        host::RECT client;
        host::GetClientRect(View()->m_hWnd, &client);
        ASSERT_GT(client.right * client.bottom, 0);
        const struct {
            host::UINT id;
            bool draws;
        } commands[] = {
            {ID_MODEL_POINTS, false}, {ID_MODEL_WIRE, false},    {ID_MODEL_SOLID, false},
            {ID_SHADING_FLAT, true},  {ID_SHADING_SMOOTH, true}, {ID_DATA_OBJECTS, true},
            {ID_DATA_OBJECTS, true},
        };
        for (const auto& command : commands) {
            SCOPED_TRACE(command.id);
            MarkBackBuffer();
            EXPECT_TRUE(Frame()->RouteCommand(command.id, 0, nullptr, nullptr));
            EXPECT_EQ(MarkedShare(client.right, client.bottom), command.draws ? 0.0 : 1.0);
        }
    });
}

} // namespace

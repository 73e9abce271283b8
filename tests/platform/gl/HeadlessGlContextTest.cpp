// The context without a window: made with no X server at all.

#include "platform/HeadlessGlContext.h"
#include "platform/HeadlessGlError.h"
#include "platform/HostGl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace host::test {
namespace {

// $DISPLAY unset for the test's length, so that nothing can reach an X server.
class NoDisplayScope {
public:
    NoDisplayScope() {
        if (const char* display = std::getenv("DISPLAY")) {
            m_saved = display;
        }
        unsetenv("DISPLAY");
    }
    ~NoDisplayScope() {
        if (m_saved) {
            setenv("DISPLAY", m_saved->c_str(), 1);
        }
    }
    NoDisplayScope(const NoDisplayScope&) = delete;
    NoDisplayScope& operator=(const NoDisplayScope&) = delete;

private:
    std::optional<std::string> m_saved;
};

GLint Integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

TEST(HeadlessGlContextTest, ACompatibilityContextOfTheViewsFormatWithoutAnXServer) {
    const NoDisplayScope noDisplay;
    ASSERT_FALSE(HasCurrentGlContext());
    {
        const HeadlessGlContext context(64, 48);
        EXPECT_TRUE(HasCurrentGlContext());
        EXPECT_EQ(context.Width(), 64);
        EXPECT_EQ(context.Height(), 48);
        // The buffer's size is the first viewport, and its format the view's
        // colour and depth, with alpha.
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 64);
        EXPECT_EQ(viewport[3], 48);
        EXPECT_EQ(Integer(GL_RED_BITS), 8);
        EXPECT_EQ(Integer(GL_ALPHA_BITS), 8);
        EXPECT_EQ(Integer(GL_DEPTH_BITS), 24);
        EXPECT_EQ(Integer(GL_STENCIL_BITS), 8);

        // Immediate mode draws: a triangle over the lower left half.
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(0.0f, 1.0f, 0.0f);
        glBegin(GL_TRIANGLES);
        glVertex2f(-1.0f, -1.0f);
        glVertex2f(1.0f, -1.0f);
        glVertex2f(-1.0f, 1.0f);
        glEnd();
        unsigned char lowerLeft[4] = {};
        unsigned char upperRight[4] = {};
        glReadPixels(2, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, lowerLeft);
        glReadPixels(61, 45, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, upperRight);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(lowerLeft[1], 255);
        EXPECT_EQ(lowerLeft[3], 255);
        EXPECT_EQ(upperRight[1], 0);
        EXPECT_EQ(upperRight[3], 0);
    }
    EXPECT_FALSE(HasCurrentGlContext());
}

TEST(HeadlessGlContextTest, TheLatestIsCurrentAndNothingIsAfterItGoes) {
    const NoDisplayScope noDisplay;
    auto first = std::make_unique<HeadlessGlContext>(8, 8);
    {
        const HeadlessGlContext second(16, 4);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 16);
        // Destroying one that is not current leaves the current one alone.
        first.reset();
        EXPECT_TRUE(HasCurrentGlContext());
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 16);
    }
    EXPECT_FALSE(HasCurrentGlContext());
    const HeadlessGlContext third(4, 4);
    EXPECT_TRUE(HasCurrentGlContext());
}

TEST(HeadlessGlContextTest, ASizeBeyondTheRenderersLimitIsRefusedWithTheLimit) {
    const NoDisplayScope noDisplay;
    try {
        const HeadlessGlContext context(1 << 20, 1);
        FAIL() << "a picture a million pixels wide was made";
    } catch (const HeadlessGlError& error) {
        EXPECT_NE(std::string(error.what()).find("at most"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(HasCurrentGlContext());
}

} // namespace
} // namespace host::test

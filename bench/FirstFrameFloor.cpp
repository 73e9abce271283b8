// The floor of start-up on this stack: the least that any program showing an
// OpenGL window through the toolkit must do. It opens an 800 x 600 window,
// draws one lit triangle, presents it and exits. scripts/bench-first-frame.sh
// measures the viewer against it. This is a yardstick, not part of the
// program, so it talks to the toolkit directly.

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/gl.h>

namespace {

class FloorWindow : public Fl_Gl_Window {
public:
    FloorWindow() : Fl_Gl_Window(100, 100, 800, 600, "floor") {
        mode(FL_RGB | FL_DOUBLE | FL_DEPTH);
    }
    bool Drawn() const { return m_drawn; }

private:
    void draw() override {
        static const GLfloat position[] = {1.0f, 1.0f, 1.0f, 0.0f};
        glViewport(0, 0, pixel_w(), pixel_h());
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBegin(GL_TRIANGLES);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glVertex3f(-0.5f, -0.5f, 0.0f);
        glVertex3f(0.5f, -0.5f, 0.0f);
        glVertex3f(0.0f, 0.5f, 0.0f);
        glEnd();
        m_drawn = true;
    }

    bool m_drawn = false;
};

} // namespace

int main() {
    FloorWindow window;
    window.show();
    // The toolkit draws damaged windows when it flushes, and presents the
    // frame as soon as draw returns; wait alone would flush only before it
    // next blocks.
    while (!window.Drawn() && Fl::wait() > 0) {
        Fl::flush();
    }
    window.hide();
    return window.Drawn() ? 0 : 1;
}

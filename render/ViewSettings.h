#pragma once
// What a picture of the scene shows: its size, the camera and the display
// modes, the settings a user of the viewer changes with the window, the mouse
// and the menus.

/// The defaults are the viewer's view as it opens: the view's size in the
/// default window, the initial camera, filled polygons, smooth shading and no
/// reference objects.
struct ViewSettings {
    enum class Mode { Points, Wire, Solid };
    enum class Shading { Flat, Smooth };

    int width = 800;          ///< pixels, positive
    int height = 575;         ///< pixels, positive
    double angleY = 0.0;      ///< degrees about the model's Y axis, as a left drag sideways turns
    double angleX = 0.0;      ///< degrees about the eye's X axis, as a left drag up or down turns
    double distance = 1500.0; ///< model units from the eye to the model's origin
    Mode mode = Mode::Solid;
    Shading shading = Shading::Smooth;
    bool referenceObjects = false;
};

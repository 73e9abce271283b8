#pragma once
// Two spheres and a cube drawn beside the model, for judging its size and
// orientation.

/// Whether each frame shows the reference objects. One flag for the whole
/// program, false at start; only the toggle command changes it, and opening
/// another model keeps it.
extern bool g_showReferenceObjects;

/// Draws the objects under the current transformation and material: a sphere
/// of radius 50 at the origin, another at (-100, 0, 0), and a cube of edge 200
/// centred on (0, 150, 0) whose corner normals are the corners' directions at
/// length sqrt(3). Leaves the matrix stack as it found it and the cube's last
/// normal, (-1, -1, -1), as the current normal. When no quadric can be made
/// the spheres are skipped and the cube is still drawn. Needs a current
/// context; does nothing without one.
void DrawReferenceObjects();

#pragma once
// What the program's first frame would otherwise wait for, done ahead during
// start-up.

/// Has the GL driver compile the programs that draw the scene, while the
/// font configuration is read on a thread of its own, then loads the menu
/// font. Done once, with the first current GL context; before there is one
/// it does nothing.
void PrepareFirstFrame();

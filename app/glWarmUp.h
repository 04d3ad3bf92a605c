#pragma once

// While the players answer the first new-game dialog, the OpenGL driver is
// woken up in an off-screen context (with software GL: the driver, its
// compiler and the frame's kinds of drawing), so that the first frame of the
// game follows the answer sooner. It starts once the dialog is painted;
// nothing of it is kept, and without OpenGL it does nothing.
void WarmUpRendererWhenIdle();

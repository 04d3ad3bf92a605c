#pragma once

// The game's embedded images (res/tarnok.qrc).
constexpr const char* MAIN_ICON = ":/res/tarnok3d.png";        // IDR_MAINFRAME's icon
constexpr const char* TOOLBAR_BITMAP = ":/res/toolbar.bmp";    // the button images side by side

// One toolbar button image, in pixels.
constexpr int TOOLBAR_IMAGE_WIDTH = 17;
constexpr int TOOLBAR_IMAGE_HEIGHT = 15;

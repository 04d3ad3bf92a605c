#pragma once

// The game's embedded images (res/tarnok.qrc).
constexpr const char* MAIN_ICON = ":/res/icons/48.png";        // IDR_MAINFRAME's icon, as dialogs show it
constexpr const char* TOOLBAR_BITMAP = ":/res/toolbar.bmp";    // the button images side by side

// One toolbar button image, in pixels.
constexpr int TOOLBAR_IMAGE_WIDTH = 17;
constexpr int TOOLBAR_IMAGE_HEIGHT = 15;

// The icon at every size rendered from res/icons/tarnok3d.svg.
constexpr int ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};

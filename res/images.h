#pragma once

// The game's embedded images (res/tarnok.qrc).
constexpr const char* MAIN_ICON = ":/res/tarnok3d.png";        // IDR_MAINFRAME's icon
constexpr const char* TOOLBAR_BITMAP = ":/res/toolbar.bmp";    // seven 17 x 15 button images

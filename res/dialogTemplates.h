#pragma once

#include <vector>

// The dialogs' templates: every control's kind, id, text and rectangle in
// dialog units, as the dialogs are drawn. Texts are UTF-8.

enum class ControlKind {
    DefaultButton,
    Button,
    GroupBox,
    Static,      // one line, left-aligned
    TextBlock,   // several lines broken at "\n", no mnemonics
    ReadOnlyBox, // a read-only number box; the spin that follows it works on it
    Spin,        // attached to the right edge of the box before it
    Icon,        // the main icon
    DropDown,    // a list to pick one item from; the dialog fills in its items
};

struct ControlTemplate {
    ControlKind kind;
    int id; // 0 for controls nobody addresses
    const char* text;
    int x, y, width, height;
};

struct DialogTemplate {
    int id;
    const char* title;
    int width, height;
    bool closeBox;
    std::vector<ControlTemplate> controls; // in tab order
};

// The template of the given IDD_ id; aborts on an unknown id (a programming error).
const DialogTemplate& FindDialogTemplate(int id);

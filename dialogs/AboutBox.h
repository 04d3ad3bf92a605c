#pragma once

#include "dialogs/templateDialog.h"

// Title, authors and notice, with the main icon.
class CAboutBox : public TemplateDialog {
    Q_OBJECT

public:
    explicit CAboutBox(QWidget* owner = nullptr);
};

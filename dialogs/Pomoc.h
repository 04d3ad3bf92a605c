#pragma once

#include "dialogs/templateDialog.h"

// The user manual: the mouse and keyboard controls.
class CPomoc : public TemplateDialog {
    Q_OBJECT

public:
    explicit CPomoc(QWidget* owner = nullptr);
};

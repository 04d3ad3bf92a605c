#include "dialogs/Pomoc.h"

#include "res/resource.h"

CPomoc::CPomoc(QWidget* owner) : TemplateDialog(IDD_POMOC, owner) {}

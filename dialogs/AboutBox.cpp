#include "dialogs/AboutBox.h"

#include "res/resource.h"

CAboutBox::CAboutBox(QWidget* owner) : TemplateDialog(IDD_ABOUTBOX, owner) {}

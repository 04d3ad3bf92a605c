#include "dialogs/templateDialog.h"

#include "dialogs/vetoSpinBox.h"
#include "res/dialogTemplates.h"
#include "res/images.h"
#include "res/resource.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <cassert>
#include <cmath>
#include <cstdlib>

QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height)
{
    const QFontMetricsF metrics(font);
    const qreal averageWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    const qreal unitX = averageWidth / 4;
    // The height of one line of text as the labels set it, in whole pixels:
    // an 8-unit box then holds exactly one line, as the templates expect.
    const qreal unitY = std::ceil(metrics.height()) / 8;
    return QRect(qRound(x * unitX), qRound(y * unitY), qRound(width * unitX), qRound(height * unitY));
}

// The templates were drawn for an 8-point sans serif with about the letter
// widths of Arial. Liberation Sans (or Arimo, the same metrics) keeps the
// texts' proportions to their boxes, so every line fits where the template
// put it; a wider fallback font would break the help's lines.
QFont DialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

TemplateDialog::TemplateDialog(int templateId, QWidget* owner) : QDialog(owner)
{
    const DialogTemplate& t = FindDialogTemplate(templateId);
    setWindowTitle(QString::fromUtf8(t.title));
    setModal(true);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (t.closeBox)
        flags |= Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    setFont(DialogFont());
    setFixedSize(DialogUnitsToPixels(font(), 0, 0, t.width, t.height).size());
    for (const ControlTemplate& c : t.controls)
        AddControl(c);
}

void TemplateDialog::AddControl(const ControlTemplate& c)
{
    if (c.kind == ControlKind::Spin) {
        // The arrows sit at the right edge inside the box they belong to.
        controls.insert(c.id, lastNumberBox);
        return;
    }
    QWidget* widget = CreateControl(c);
    widget->setGeometry(DialogUnitsToPixels(font(), c.x, c.y, c.width, c.height));
    if (c.id != 0)
        controls.insert(c.id, widget);
}

QWidget* TemplateDialog::CreateControl(const ControlTemplate& c)
{
    switch (c.kind) {
    case ControlKind::DefaultButton:
    case ControlKind::Button: return CreateButton(c);
    case ControlKind::GroupBox: return CreateGroupBox(c);
    case ControlKind::Static:
    case ControlKind::TextBlock: return CreateLabel(c);
    case ControlKind::ReadOnlyBox: return CreateNumberBox();
    case ControlKind::Icon: return CreateIcon(c);
    case ControlKind::DropDown: return CreateDropDown();
    case ControlKind::Spin: break;
    }
    assert(!"a spin has no window of its own");
    std::abort();
}

QWidget* TemplateDialog::CreateButton(const ControlTemplate& c)
{
    auto* button = new QPushButton(QString::fromUtf8(c.text), this);
    const bool isDefault = c.kind == ControlKind::DefaultButton;
    button->setDefault(isDefault);
    button->setAutoDefault(false);
    if (isDefault)
        connect(button, &QPushButton::clicked, this, [this] { OnOK(); });
    return button;
}

QWidget* TemplateDialog::CreateGroupBox(const ControlTemplate& c)
{
    auto* box = new QGroupBox(QString::fromUtf8(c.text), this);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QWidget* TemplateDialog::CreateLabel(const ControlTemplate& c)
{
    auto* label = new QLabel(QString::fromUtf8(c.text), this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(c.kind == ControlKind::TextBlock);
    return label;
}

QWidget* TemplateDialog::CreateNumberBox()
{
    lastNumberBox = new VetoSpinBox(this);
    return lastNumberBox;
}

QWidget* TemplateDialog::CreateIcon(const ControlTemplate& c)
{
    auto* label = new QLabel(this);
    const QSize size = DialogUnitsToPixels(font(), 0, 0, c.width, c.height).size();
    label->setPixmap(QIcon(QString::fromLatin1(MAIN_ICON)).pixmap(size));
    return label;
}

// A list to pick from, never typed into; the dialog adds its items.
QWidget* TemplateDialog::CreateDropDown()
{
    auto* list = new QComboBox(this);
    list->setEditable(false);
    return list;
}

VetoSpinBox* TemplateDialog::Spin(int id) const
{
    return dynamic_cast<VetoSpinBox*>(Control(id));
}

QLabel* TemplateDialog::Label(int id) const
{
    return qobject_cast<QLabel*>(Control(id));
}

QComboBox* TemplateDialog::DropDown(int id) const
{
    return qobject_cast<QComboBox*>(Control(id));
}

int TemplateDialog::DoModal()
{
    running = true;
    const int code = exec();
    running = false;
    return code;
}

void TemplateDialog::OnOK()
{
    ReadFieldsFromControls();
    accept();
}

void TemplateDialog::OnCancel()
{
    reject();
}

void TemplateDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        WriteFieldsToControls();
        OnInitDialog();
    }
}

void TemplateDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        break;
    case Qt::Key_Escape:
        OnCancel();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TemplateDialog::closeEvent(QCloseEvent* event)
{
    // The close box (or the window manager) ends the dialog as Escape does.
    event->ignore();
    OnCancel();
}

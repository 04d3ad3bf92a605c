#include "dialogs/templateDialog.h"

#include "dialogs/vetoSpinBox.h"
#include "res/dialogTemplates.h"
#include "res/images.h"
#include "res/resource.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height)
{
    const QFontMetricsF metrics(font);
    const qreal averageWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    const qreal unitX = averageWidth / 4;
    const qreal unitY = metrics.height() / 8;
    return QRect(qRound(x * unitX), qRound(y * unitY), qRound(width * unitX), qRound(height * unitY));
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

    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSize(8);
    dialogFont.setStyleHint(QFont::SansSerif);
    setFont(dialogFont);
    const QFont& f = font();
    setFixedSize(DialogUnitsToPixels(f, 0, 0, t.width, t.height).size());

    VetoSpinBox* lastBox = nullptr;
    for (const ControlTemplate& c : t.controls) {
        const QRect rect = DialogUnitsToPixels(f, c.x, c.y, c.width, c.height);
        const QString text = QString::fromUtf8(c.text);
        QWidget* widget = nullptr;
        switch (c.kind) {
        case ControlKind::DefaultButton:
        case ControlKind::Button: {
            auto* button = new QPushButton(text, this);
            button->setDefault(c.kind == ControlKind::DefaultButton);
            button->setAutoDefault(false);
            if (c.kind == ControlKind::DefaultButton)
                connect(button, &QPushButton::clicked, this, [this] { OnOK(); });
            widget = button;
            break;
        }
        case ControlKind::GroupBox:
            widget = new QGroupBox(text, this);
            widget->setFocusPolicy(Qt::NoFocus);
            break;
        case ControlKind::Static:
        case ControlKind::TextBlock: {
            auto* label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(c.kind == ControlKind::TextBlock);
            widget = label;
            break;
        }
        case ControlKind::ReadOnlyBox:
            lastBox = new VetoSpinBox(this);
            widget = lastBox;
            break;
        case ControlKind::Spin:
            // The arrows sit at the right edge inside the box they belong to.
            controls.insert(c.id, lastBox);
            continue;
        case ControlKind::Icon: {
            auto* label = new QLabel(this);
            label->setPixmap(QIcon(QString::fromLatin1(MAIN_ICON)).pixmap(rect.size()));
            widget = label;
            break;
        }
        }
        widget->setGeometry(rect);
        if (c.id != 0)
            controls.insert(c.id, widget);
    }
}

VetoSpinBox* TemplateDialog::Spin(int id) const
{
    return dynamic_cast<VetoSpinBox*>(Control(id));
}

QLabel* TemplateDialog::Label(int id) const
{
    return qobject_cast<QLabel*>(Control(id));
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

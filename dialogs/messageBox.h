#pragma once

class QString;
class QWidget;

// The game's message box: caption "Tarnok 3D", one OK button, and no icon
// except for the results of a game, which carry the information icon.
enum class MessageIcon { None, Information };

void ShowMessage(QWidget* owner, const QString& text, MessageIcon icon = MessageIcon::None);

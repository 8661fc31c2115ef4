#pragma once
// A character hook on any control: the function sees each character typed into the control
// before the control does. Setting the key to QChar(0) drops it; changing it makes the control
// receive the new character instead (amount filters turn '.' into ',').
#include <QChar>
#include <functional>

class QWidget;

using KeyPressHandler = std::function<void(QChar& key)>;

// The key code a replacement character is sent with.
int KeyCodeOf(QChar ch);

// Installs the hook on the control (replacing one installed before by this function).
void OnKeyPress(QWidget* control, KeyPressHandler handler);

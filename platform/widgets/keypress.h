#pragma once
// A character hook on any control: the function sees each character typed into the control
// before the control does. Setting the key to QChar(0) drops it; changing it makes the control
// receive the new character instead (amount filters turn '.' into ',').
#include <QChar>
#include <QKeyEvent>
#include <functional>

class QWidget;

using KeyPressHandler = std::function<void(QChar& key)>;

// What a hook made of a key press: left it (Pass), dropped it (Drop), or changed its character
// (Replace, the new one in `replacement`). Keys that carry no character always pass.
enum class KeyOutcome { Pass, Drop, Replace };
KeyOutcome RunKeyHook(const KeyPressHandler& handler, const QKeyEvent& event, QChar& replacement);
// The key press that carries `ch` in place of the original's character.
QKeyEvent ReplacedKey(const QKeyEvent& original, QChar ch);

// Installs the hook on the control (replacing one installed before by this function).
void OnKeyPress(QWidget* control, KeyPressHandler handler);

#pragma once
// What every dialog of the card file shares: OK and "Annuler" buttons, radio groups read as an
// item index, key filters for amount fields.
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QDialog;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

// OK closes as accepted, "Annuler" as rejected (Esc and the title bar reject too). A dialog
// hands its values back only when accepted; QDialog::exec clears the result each time the
// dialog is shown, so an earlier OK never carries over.
void BindOkCancel(QDialog* dialog, QPushButton* ok, QPushButton* cancel);
bool ClosedWithOk(const QDialog* dialog);

// Enter (or the keypad's Enter) in `control` closes `dialog` as accepted: in a list, the way
// to choose the current entry from the keyboard.
void AcceptOnEnter(QDialog* dialog, QWidget* control);

// A radio group is a group box whose radio buttons, in the order the form lists them, are its
// items; the item index is the checked button's place, -1 when none is.
int ItemIndex(const QGroupBox* group);
// An index outside the items leaves every button unchecked.
void SetItemIndex(QGroupBox* group, int index);

// The filter of numeric fields (for OnKeyPress): '.' becomes ',' and, besides the characters of
// `allowed`, only control characters pass: Backspace, and the keys that belong to the dialog
// (Tab, Esc).
void NumericKey(QChar& key, const QString& allowed);

// The check of a dialog's OK: `convert` runs on each field in turn and throws where its text
// is refused (the conversion error, or a value out of range); the first refusal is shown
// in the standard error box and its field takes the focus. True when every field passed.
bool FieldsConvert(const QList<QLineEdit*>& fields, const std::function<void(const QLineEdit*)>& convert);

// Gives a combo of a card new items. The text the card shows in it stays, and the combo keeps
// quiet meanwhile, so refilling a pick list neither blanks nor marks the card being edited.
void ReplaceItems(QComboBox* combo, const QStringList& items);

// The question before a command drops unsaved work: "Enregistrer changements dans " + the file
// name of `path` + " ?", with Oui, Non and Annuler. Oui runs `save`. True when the command may go
// on (Non, or Oui and saved); false when it must stop (Annuler, or Oui and nothing saved).
bool SaveChangesPrompt(const QString& path, const std::function<bool()>& save);

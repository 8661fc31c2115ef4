#pragma once
// The files of the desk tools (message cards, notepad): read whole, written all or nothing, and
// every failure told to the operator with what it means for the file.
#include <QString>
#include <QStringList>

// The lines of `path`. True when read, or when there is no file (`found` false, no lines). False
// when the file is there but could not be read: "Impossible de lire <path>." and `consequence`
// were shown.
bool ChargeFichierBureau(const QString& path, QStringList& lines, bool& found, const QString& consequence);
// Replaces `path` by the lines. False when it could not be written: "Impossible d'enregistrer
// <path>.", the reason and `consequence` were shown; the file on disk is as it was.
bool SauveFichierBureau(const QString& path, const QStringList& lines, const QString& consequence);

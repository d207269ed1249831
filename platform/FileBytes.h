// Whole files as bytes, for the pictures and streams that are saved and loaded at once.
#pragma once

#include <QByteArray>
#include <QString>

// Raises "Cannot create file "<name>"" when the file cannot be written whole.
void SaveBytesToFile(const QString& fileName, const QByteArray& bytes);
// Raises "Cannot open file "<name>"".
QByteArray LoadBytesFromFile(const QString& fileName);

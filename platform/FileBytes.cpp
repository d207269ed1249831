#include "platform/FileBytes.h"

#include "platform/Exception.h"

#include <QFile>

void SaveBytesToFile(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw Exception(QStringLiteral("Cannot create file \"%1\"").arg(fileName));
}

QByteArray LoadBytesFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open file \"%1\"").arg(fileName));
    return file.readAll();
}

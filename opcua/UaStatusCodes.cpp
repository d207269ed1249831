#include "opcua/UaStatusCodes.h"

#include <QHash>

QString UaStatusCodes::Name(quint32 status) {
    static const QHash<quint32, QString> names = {
#define UA_STATUS_NAME(name, value) {value, QStringLiteral(#name)},
        UA_STATUS_CODES(UA_STATUS_NAME)
#undef UA_STATUS_NAME
    };
    const QString name = names.value(status & 0xFFFF0000u);
    return name.isEmpty() ? QStringLiteral("0x") +
                                QString::number(status, 16).rightJustified(8, u'0').toUpper()
                          : name;
}

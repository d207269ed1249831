// The servers of one computer as its discovery endpoint lists them (FindServers): every one
// is a version 2.0 server, named by its application name (its application URI when it has
// none); there are no version 1.0 servers.
#pragma once

#include "opcua/UaEndpointUrl.h"
#include "platform/DataAccess.h"

#include <QObject>

class UaDataAccessServerList : public TDataAccessServerList {
public:
    explicit UaDataAccessServerList(const UaEndpointUrl& discovery) : discovery_(discovery) {}

    // A name is its own class: servers are looked up by name when they are made.
    QString ClassIdFromProgId(const QString& progId) override;
    QString ProgIdOfClass(const QString& classId) override { return classId; }
    void EnumerateServers(Category category, ListAnswer answer) override;

private:
    UaEndpointUrl discovery_;
    QObject context_;
};

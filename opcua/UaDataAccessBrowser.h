// Moves over a server's address space from its Objects folder along hierarchical references:
// variables are leaves, objects and folders branches, an item's identifier is its NodeId's
// text. What each position holds is kept once listed, so moving and naming ask no server.
#pragma once

#include "opcua/UaNodeId.h"
#include "platform/DataAccess.h"

#include <QHash>
#include <map>
#include <memory>

class UaDataAccessServer;

class UaDataAccessBrowser : public TDataAccessBrowser {
public:
    explicit UaDataAccessBrowser(std::shared_ptr<UaDataAccessServer> server);
    ~UaDataAccessBrowser() override;

    Organization QueryOrganization() override { return Organization::Hierarchical; }
    bool MoveUp() override;
    bool MoveDown(const QString& branch) override;
    void MoveToRoot() override { path_.clear(); }
    void Browse(Filter filter, ListAnswer answer) override;
    QString ItemId(const QString& name) const override;

    struct Entry {
        UaNodeId Node;
        bool Branch = false;
    };
    using Listing = std::map<QString, Entry>;

private:
    UaNodeId Position() const;
    void Collect(const UaNodeId& position, Filter filter, ListAnswer answer, Listing listing,
                 QByteArray continuation, int rounds);

    std::shared_ptr<UaDataAccessServer> server_;
    std::vector<UaNodeId> path_; // below the Objects folder
    QHash<UaNodeId, Listing> listings_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A reference from one plot object to another by name, resolved on use and kept valid
// through the removal and rename notices: a channel's axes, a cursor's channel, ...
#pragma once

#include "plot/iPlotManagers.h"

#include <QPointer>
#include <QString>

class TiPlotNameReference {
public:
    // The text of a reference that is to name no object.
    static QString None() { return QStringLiteral("<None>"); }

    // Resolves among the objects of Kind. Without FollowsRename the text stays when the
    // resolved object is renamed.
    TiPlotNameReference(TiPlotObject& Owner, TiPlotObjectKind Kind, const QString& Name = {},
                        bool FollowsRename = true);

    QString Name() const { return name_; }
    // A different text drops the resolved object and reports a change of the owner.
    void SetName(const QString& Value);
    // The named object, looked up when not yet resolved; null when none has the name.
    TiPlotObject* Get();

    void NotificationRemove(QObject* Object);
    void NotificationRename(QObject* Object);

private:
    TiPlotObject& owner_;
    TiPlotObjectKind kind_;
    QString name_;
    bool followsRename_;
    QPointer<TiPlotObject> object_;
};

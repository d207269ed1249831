// A channel's binding to one of its axes: the name reference, and the axis's channel face
// cast once per resolved object rather than on every point added. The cast is dropped with
// the object whenever the reference may now name another one (a new name, a removal or a
// rename), so it never outlives the axis.
#pragma once

#include "plot/iPlotNameReference.h"

class TiPlotChannelAxis;

class TiPlotChannelAxisLink {
public:
    TiPlotChannelAxisLink(TiPlotObject& Owner, TiPlotObjectKind Kind);

    QString Name() const { return reference_.Name(); }
    void SetName(const QString& Value);
    // The bound axis, null when none has the name.
    TiPlotChannelAxis* Get() {
        TiPlotObject* object = reference_.Get();
        if (object != object_) Resolve(object);
        return axis_;
    }

    void NotificationRemove(QObject* Object);
    void NotificationRename(QObject* Object);

private:
    void Resolve(TiPlotObject* Object);
    void Drop();

    TiPlotNameReference reference_;
    TiPlotObject* object_ = nullptr;
    TiPlotChannelAxis* axis_ = nullptr;
};

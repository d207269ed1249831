// The plot's stored description beyond its published properties: the data view's places and
// the object collections, written and read as values, or as texts for form descriptions.
#pragma once

#include "plot/iPlotManagers.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class TiPlotComponent;
class TiPlotImageLists;

// What the plot's stored description holds besides its published properties: the data
// view's place in both band orders and the object collections by their managers' names.
struct TiPlotDefinedProperties {
    int DataViewZHorz = 1;
    int DataViewZVert = 1;
    // "ImageList0".."ImageList2", each only when its list holds a picture.
    QMap<QString, QByteArray> ImageLists;
    QMap<QString, TiPlotCollection> Collections;
};

class TiPlotDescription {
public:
    TiPlotDescription(TiPlotComponent& Plot, TiPlotImageLists& ImageLists);

    // See TiPlotComponent::WriteDefinedProperties and its neighbours.
    TiPlotDefinedProperties Write();
    void Read(const TiPlotDefinedProperties& Defined);
    QMap<QString, QString> WriteTexts();
    void ReadTexts(const QMap<QString, QString>& Texts);
    QStringList CollectionNames() const;
    // uic leaves a form's collection texts as dynamic properties; they are read once, then
    // dropped so that they cannot go stale against the objects.
    QMap<QString, QString> TakeDescribedTexts();
    // Suspends layout and repaints for a description's properties, and resumes them.
    void Begin();
    void End();

private:
    TiPlotComponent& plot_;
    TiPlotImageLists& imageLists_;
};

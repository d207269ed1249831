// The plot's translation list: every word the plot shows to the user is looked up here, the
// most recently added translation of a text winning.
#pragma once

#include "plot/iPlotManagers.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class TiPlotTranslationObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString OriginalString READ OriginalString WRITE SetOriginalString)
    Q_PROPERTY(QString ReplacementString READ ReplacementString WRITE SetReplacementString)

public:
    TiPlotTranslationObject();

    QString OriginalString() const { return originalString_; }
    void SetOriginalString(const QString& Value) { originalString_ = Value; }
    QString ReplacementString() const { return replacementString_; }
    void SetReplacementString(const QString& Value) { replacementString_ = Value; }

private:
    QString originalString_;
    QString replacementString_;
};

// Items newest first: a new item goes in front of the others.
class TiPlotTranslationManager : public QObject {
    Q_OBJECT

public:
    TiPlotTranslationManager();
    ~TiPlotTranslationManager() override;

    // Always index 0.
    int AddTranslation(const QString& Original, const QString& Replacement);
    // Index errors raise "List index out of bounds (<index>)".
    void Delete(int Index);
    void Clear();
    int GetCount() const { return int(items_.size()); }
    TiPlotTranslationObject* GetItem(int Index) const;

    // The replacement of the first item whose original equals the text exactly; the text
    // itself when none does.
    QString FindReplacement(const QString& Text) const;

    TiPlotCollection WriteToStream() const;
    // Keeps the stored order, so a store and load gives the same look-ups.
    void ReadFromStream(const TiPlotCollection* Collection);

private:
    std::vector<std::unique_ptr<TiPlotTranslationObject>> items_;
};

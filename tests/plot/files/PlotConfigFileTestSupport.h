// A folder for the plot file tests, and the plot's whole state as text, so that a test can
// tell that a load reproduced a plot or left it exactly as it was.
#pragma once

#include "../component/PlotComponentTestSupport.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every stored property of the plot and of each of its objects, its translations and the
// points each channel holds.
QStringList PlotState(TiPlotComponent& Plot);
// The stored properties of one object, each as "Path=Text".
QStringList StoredTexts(QObject* Object);

class PlotFiles : public ::testing::Test {
protected:
    QString Path(const QString& Name) const { return dir_.filePath(Name); }
    void WriteText(const QString& Name, const QString& Text) const;
    QString ReadText(const QString& Name) const;

private:
    QTemporaryDir dir_;
};

// Text with the line "Key = ..." given another value (or dropped for a null value).
QString WithLine(const QString& Text, const QString& Key, const QString& Value);

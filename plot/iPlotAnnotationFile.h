// The plot's annotation file: "AnnotationCount = n", then each annotation's properties under
// "Annotation" and its index. The file has no type line.
#pragma once

#include <QString>

class TiPlotComponent;

// Errors raise "Error Saving Annotations - " and the error's message.
void SavePlotAnnotations(TiPlotComponent& Plot, const QString& FileName);
// Replaces every annotation by the file's, in one repaint. The whole file is loaded into a
// scratch plot first, so a file that is malformed, lacks its "AnnotationCount" line or asks
// for more than MaxPlotFileObjects annotations changes nothing. Errors raise "Error Loading
// Annotations - " and the error's message.
void LoadPlotAnnotations(TiPlotComponent& Plot, const QString& FileName);

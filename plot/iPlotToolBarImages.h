// The pictures of the toolbar buttons, drawn here rather than shipped as files: each on the
// teal mask colour in black, white and a few plain colours, 24 x 24 pixels under its name and
// 16 x 16 under the name with "SMALL" in front ("AUTO", "SMALLAUTO").
#pragma once

#include "platform/Colors.h"

#include <QString>
#include <QStringList>
#include <memory>

class TBitmap;

inline constexpr TColor ToolBarImageMaskColor = clTeal;
inline constexpr int ToolBarLargeImageSize = 24;
inline constexpr int ToolBarSmallImageSize = 16;

// Every name a picture is drawn for, large and small.
QStringList ToolBarImageNames();
// The picture of the name (in any letter case); null for a name no picture has.
std::unique_ptr<TBitmap> CreateToolBarImage(const QString& ResourceName);

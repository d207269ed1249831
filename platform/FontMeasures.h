// The toolkit fonts a canvas draws with and the widths of the texts measured in them. A
// repaint asks for the same labels in the same few fonts again and again, and shaping a text
// costs far more than finding its width again; every object sets its font before it draws,
// so making the toolkit font anew each time would cost as much again.
#pragma once

#include "platform/FontSubstitution.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <cstddef>
#include <vector>

class TFontMeasures {
public:
    // Makes the font of this shape current; a shape met before is not made again. Until the
    // first, the default shape is current.
    void Select(const TFontShape& shape);
    const QFont& Font() { return Current().Font; }
    TFontCell Cell() { return Current().Cell; }
    // The advance of text in the current font.
    int Width(const QString& text);

    // Bounds on what is kept, however many fonts and texts come by: past them everything kept
    // is dropped and measured again on demand.
    static constexpr std::size_t MaxShapes = 16;
    static constexpr std::size_t MaxTexts = 4096;
    static constexpr qsizetype MaxCharacters = qsizetype(1) << 20;

private:
    struct TShapeFont {
        TFontShape Shape;
        QFont Font;
        TFontCell Cell;
        QHash<QString, int> Widths;
    };
    TShapeFont& Current();
    void ForgetWidths();

    std::vector<TShapeFont> fonts_;
    std::size_t current_ = 0;
    std::size_t keptTexts_ = 0;
    qsizetype keptCharacters_ = 0;
};

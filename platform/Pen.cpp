#include "platform/Pen.h"

#include "platform/PropertyDefaults.h"

#include <algorithm>

namespace {

const PropertyDefaults::Registration defaults(TPen::staticMetaObject,
                                              {
                                                  {"Color", clBlack},
                                                  {"Mode", QVariant::fromValue(pmCopy)},
                                                  {"Style", QVariant::fromValue(psSolid)},
                                                  {"Width", 1},
                                              });

} // namespace

TPen::TPen(QObject* parent) : TGraphicsObject(parent) {}

void TPen::SetColor(TColor value) {
    Update(color_, value);
}

void TPen::SetMode(TPenMode value) {
    Update(mode_, value);
}

void TPen::SetStyle(TPenStyle value) {
    Update(style_, value);
}

void TPen::SetWidth(int value) {
    Update(width_, std::max(value, 0));
}

void TPen::Assign(const TPen& source) {
    TChangeBatch batch(*this);
    SetColor(source.color_);
    SetMode(source.mode_);
    SetStyle(source.style_);
    SetWidth(source.width_);
}

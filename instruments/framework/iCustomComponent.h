// The class every instrument derives from; it adds nothing to the component core, and
// iPaintTo stays for the instrument to write.
#pragma once

#include "instruments/framework/iVCLComponent.h"

class TiCustomComponent : public TiVCLComponent {
    Q_OBJECT

public:
    explicit TiCustomComponent(QWidget* parent = nullptr);
};

#include "instruments/framework/iCustomComponent.h"

TiCustomComponent::TiCustomComponent(QWidget* parent) : TiVCLComponent(parent) {}

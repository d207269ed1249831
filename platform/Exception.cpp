#include "platform/Exception.h"

Exception::Exception(const QString& message)
    : message_(message), utf8_(message.toUtf8().toStdString()) {}

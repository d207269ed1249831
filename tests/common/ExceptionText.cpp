#include "ExceptionText.h"

#include "platform/Exception.h"

QString MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QString();
}

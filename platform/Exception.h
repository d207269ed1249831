// The toolkit's exception type: every error of the library is one of these, carrying its
// exact English message.
#pragma once

#include "platform/GuardReport.h"

#include <QString>
#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
    explicit Exception(const QString& message);
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
};

// Raised by text-to-number and date conversions.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Runs a call into user code (an event handler, an overridden input or painting operation) so
// that whatever it raises ends here and never unwinds through the toolkit's event loop, which
// cannot pass exceptions on; what it caught is reported (GuardReport). Answers whether the
// call ran to its end.
template <typename Call> bool RunGuarded(Call&& call) noexcept {
    try {
        std::forward<Call>(call)();
        return true;
    } catch (const std::exception& e) {
        ReportGuardCatch("RunGuarded", e.what());
        return false;
    } catch (...) {
        ReportGuardCatch("RunGuarded", "an exception of unknown type");
        return false;
    }
}

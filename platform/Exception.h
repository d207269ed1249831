// The toolkit's exception type: every error of the library is one of these, carrying its
// exact English message.
#pragma once

#include <QString>
#include <exception>
#include <string>

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

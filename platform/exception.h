#pragma once
// The base of every error the programs raise on purpose: a message meant for the operator.
// The application's event dispatch catches it and shows the message in the standard error box.
#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : Message(std::move(message)), utf8_(Message.toUtf8()) {}
    const char* what() const noexcept override { return utf8_.constData(); }
    QString Message;

private:
    QByteArray utf8_;
};

// A text that does not convert to a number, date or time.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A floating-point result that is no number: a division by zero, an invalid operation, an
// overflow.
class EMathError : public Exception {
public:
    using Exception::Exception;
};

#pragma once
// The message of the conversion error a call raises, or "<no error>".
#include <QString>
#include <functional>
#include "platform/exception.h"

inline QString ConvertErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EConvertError& e) {
        return e.Message;
    }
    return QStringLiteral("<no error>");
}

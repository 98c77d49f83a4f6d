#pragma once
// The message of the error of type E a call raises, or "<no error>"; other errors pass through.
#include "base/FkError.h"

#include <functional>

template <class E = FkError>
QString errorText(const std::function<void()>& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

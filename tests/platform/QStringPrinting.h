#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show QString values as text in failure messages.
static inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

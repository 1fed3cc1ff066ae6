#pragma once

#include "tables/LineFill.h"

#include <QByteArray>
#include <QList>

namespace vc::testing {

// A list of lines as the line source of a fill, keeping its own list.
struct LineStore {
    QList<QByteArray> list;
};
class LinesOf : private LineStore, public ListLines {
public:
    LinesOf(std::initializer_list<QByteArray> lines) : LineStore{lines}, ListLines(list) {}
    explicit LinesOf(QList<QByteArray> lines) : LineStore{std::move(lines)}, ListLines(list) {}
};

} // namespace vc::testing

#pragma once

#include "tables/TableModel.h"

#include <vector>

namespace vc {

// Columns of the six tables: caption text, date column, width factor.
inline std::vector<TableColumn> activityColumns() {
    return {{77, false, 0.25}, {78, true, 0.17},  {79, true, 0.17},  {80, false, 0.15},
            {81, false, 0.05}, {82, false, 0.05}, {83, false, 0.10}, {84, false, 0.0}};
}
inline std::vector<TableColumn> cookieColumns() {
    return {{85, false, 0.30}, {86, false, 0.10}, {87, true, 0.20}, {88, true, 0.20},
            {80, false, 0.05}, {89, false, 0.05}, {90, false, 0.0}};
}
inline std::vector<TableColumn> historyColumns() {
    return {
        {77, false, 0.40}, {78, true, 0.20}, {79, true, 0.20}, {82, false, 0.10}, {91, false, 0.0}};
}
inline std::vector<TableColumn> linksColumns() {
    return {{92, false, 0.40}, {87, true, 0.20}, {93, true, 0.20}, {77, false, 0.0}};
}
inline std::vector<TableColumn> recentColumns() {
    return {
        {92, false, 0.30}, {81, false, 0.10}, {87, true, 0.20}, {93, true, 0.20}, {94, false, 0.0}};
}
inline std::vector<TableColumn> tempColumns() {
    return {
        {92, false, 0.30}, {81, false, 0.10}, {87, true, 0.20}, {93, true, 0.20}, {95, false, 0.0}};
}

} // namespace vc

// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/NationalityTable.h"

#include <array>

namespace movrand {

const Nationality* NationalityByIndex(int index) {
    static const std::array<Nationality, 29> table = {{
        {"Argentinian", "Argentina", 112},
        {"Australian", "Australia", 113},
        {"Austrian", "Austria", 114},
        {"Belgian", "Belgium", 115},
        {"Brazilian", "Brazil", 116},
        {"Canadian", "Canada", 117},
        {"Chilean", "Chile", 118},
        {"Colombian", "Colombia", 119},
        {"Danish", "Denmark", 120},
        {"Finnish", "Finland", 121},
        {"French", "France", 122},
        {"German", "Germany", 123},
        {"British", "Britain", 124},
        {"Irish", "Ireland", 125},
        {"Italian", "Italy", 126},
        {"Japanese", "Japan", 127},
        {"Mexican", "Mexico", 128},
        {"Monocoan", "Monoco", 129},
        {"Moroccan", "Morocco", 130},
        {"Dutch", "Holland", 131},
        {"New Zealander", "New Zealand", 132},
        {"Portugese", "Portugal", 133},
        {"South African", "South Africa", 134},
        {"Spanish", "Spain", 135},
        {"Swedish", "Sweden", 136},
        {"Swiss", "Switzerland", 137},
        {"American", "U.S.A.", 138},
        {"Uruguayan", "Uruguay", 139},
        {"Venzuelan", "Venzuela", 140},
    }};
    if (index < 0 || index >= static_cast<int>(table.size())) return nullptr;
    return &table[static_cast<std::size_t>(index)];
}

}  // namespace movrand

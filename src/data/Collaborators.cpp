// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Collaborators.h"

#include "data/DatabaseCheck.h"

namespace kvz {

std::vector<std::string> readCollaborators(const Connection& conn) noexcept {
    try {
        if (!conn.tableExists("tbSar")) return {};
        auto st = conn.prepare("SELECT Saradnik FROM tbSar");
        std::vector<std::string> names;
        while (st.step()) {
            // A name the game cannot show is left out, as an unreadable table is.
            if (Value name = st.column(0); !textFault(name, false)) names.push_back(name.text());
        }
        return names;
    } catch (...) {
        return {};
    }
}

} // namespace kvz

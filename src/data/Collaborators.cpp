#include "data/Collaborators.h"

namespace kvz {

std::vector<std::string> readCollaborators(const Connection& conn) noexcept {
    try {
        if (!conn.tableExists("tbSar")) return {};
        auto st = conn.prepare("SELECT Saradnik FROM tbSar");
        std::vector<std::string> names;
        while (st.step()) names.push_back(st.column(0).text());
        return names;
    } catch (...) {
        return {};
    }
}

} // namespace kvz

// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakePlatform.h"

#include <filesystem>

namespace kvz::test {

bool FakePlatform::fileExists(const std::string& path) {
    return std::filesystem::is_regular_file(path);
}

bool FakePlatform::copyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(to).parent_path(), ec);
    return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                      ec);
}

} // namespace kvz::test

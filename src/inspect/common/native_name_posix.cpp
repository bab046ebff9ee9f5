#include "inspect/common/native_name.h"

std::filesystem::path path_of_name(std::string_view name) { return std::filesystem::path(name); }

std::string name_of_path(const std::filesystem::path& path) { return path.string(); }

std::string console_name(std::string_view name) { return std::string(name); }

bool same_native_name(const std::filesystem::path& a, const std::filesystem::path& b) { return a == b; }

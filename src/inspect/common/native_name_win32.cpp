#define WIN32_LEAN_AND_MEAN
#include "inspect/common/native_name.h"

#include <windows.h>

namespace {

std::wstring wide_of(std::string_view text, UINT code_page) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string narrow_of(std::wstring_view wide, UINT code_page) {
  if (wide.empty()) return {};
  const int size =
      WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
  return text;
}

// PATH in its long form as far as it exists: GetLongPathNameW takes only
// an existing path, so the part not made yet is added back after it.
std::filesystem::path long_form(const std::filesystem::path& path) {
  std::filesystem::path existing = path;
  std::filesystem::path rest;
  std::error_code error;
  while (existing.has_relative_path() && !std::filesystem::exists(existing, error)) {
    rest = rest.empty() ? existing.filename() : existing.filename() / rest;
    existing = existing.parent_path();
  }
  const DWORD size = GetLongPathNameW(existing.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring long_name(size, L'\0');
  long_name.resize(GetLongPathNameW(existing.c_str(), long_name.data(), size));
  return rest.empty() ? std::filesystem::path(long_name) : std::filesystem::path(long_name) / rest;
}

// The path as Windows compares it: each part without its trailing dots and
// blanks, '\\' between parts; letter case is left to the comparison.
std::wstring compared_form(const std::filesystem::path& path) {
  std::wstring out;
  for (const auto& part : long_form(path)) {
    std::wstring name = part.native();
    if (name != L"." && name != L"..") {
      while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    }
    if (!out.empty() && out.back() != L'\\') out += L'\\';
    out += name;
  }
  return out;
}

}  // namespace

std::filesystem::path path_of_name(std::string_view name) { return std::filesystem::path(wide_of(name, CP_ACP)); }

std::string name_of_path(const std::filesystem::path& path) { return narrow_of(path.native(), CP_ACP); }

std::string console_name(std::string_view name) { return narrow_of(wide_of(name, CP_ACP), CP_UTF8); }

bool same_native_name(const std::filesystem::path& a, const std::filesystem::path& b) {
  if (a == b) return true;
  // As the file system compares names: ordinal, letter case ignored.
  const std::wstring x = compared_form(a);
  const std::wstring y = compared_form(b);
  return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
         CSTR_EQUAL;
}

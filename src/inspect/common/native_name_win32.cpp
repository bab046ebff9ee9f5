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

}  // namespace

std::filesystem::path path_of_name(std::string_view name) { return std::filesystem::path(wide_of(name, CP_ACP)); }

std::string name_of_path(const std::filesystem::path& path) { return narrow_of(path.native(), CP_ACP); }

std::string console_name(std::string_view name) { return narrow_of(wide_of(name, CP_ACP), CP_UTF8); }

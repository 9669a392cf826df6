// Tables of the names by which the command line and the reports call a
// set of values, and the lookups both ways.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace orniva {

template <typename T>
struct Named {
  std::string_view name;
  T value;
};

template <typename T, std::size_t N>
std::optional<T> ValueNamed(const Named<T> (&table)[N], std::string_view name) {
  for (const Named<T>& entry : table)
    if (entry.name == name) return entry.value;
  return std::nullopt;
}

// "" for a value the table lacks.
template <typename T, std::size_t N>
std::string_view NameOf(const Named<T> (&table)[N], T value) {
  for (const Named<T>& entry : table)
    if (entry.value == value) return entry.name;
  return {};
}

}  // namespace orniva

// The value of one field of a record.
//
// Every column of the pager database holds text or nothing, so a field is an optional string:
// std::nullopt is Null (an empty field), "" is an empty text, and the two are kept apart when
// stored and read back.
#pragma once

#include <optional>
#include <string>

namespace dao {

using Value = std::optional<std::string>;  // std::nullopt is Null

}  // namespace dao

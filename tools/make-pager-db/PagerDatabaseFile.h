// Creation of an empty pager database file from the compiled-in schema (schema/pager.sql).
//
// What callers may rely on:
//   - An existing file (of any content) is never touched: the result is kAlreadyExists.
//   - The file appears whole or not at all: the database is built under a temporary name in
//     the same folder and linked into place only when complete, so a reader never meets a
//     half-made file and a file that appeared meanwhile is not overwritten.
//   - On kFailed, `error` (when given) says why; no file is left behind.
#pragma once

#include <string>

namespace pagerdb {

enum class CreateResult { kCreated, kAlreadyExists, kFailed };

CreateResult CreatePagerDatabase(const std::string& path, std::string* error = nullptr);

}  // namespace pagerdb

// A hook for fault tests: a function run right after each write of the server reaches the file.
//
// A crash test sets it to end the process at a chosen write, so that the file holds exactly
// what was committed up to there. Only databases opened after it was set are watched; the
// program never sets it.
#pragma once

#include <functional>

namespace dao::detail {

// Runs `observer` after every commit (a transaction's, or a single statement's outside one) on
// the writable connections opened from now on. An empty function stops watching new ones.
void SetCommitObserver(std::function<void()> observer);

}  // namespace dao::detail

// How a message's state is read from Queue, and the statements that settle and remove rows.
// Shared by Start, Stop and the call engine, so that every path that ends or interrupts a cycle
// applies the same rule. Header-only, so that the call engine can use it without linking the
// server core.
//
// A row of Queue is pending until it is settled, and settling is one transaction together with
// its record in TranLog:
//   - sent: Status "Y", its "sent successfully" record, and the row's hidden id moved below 0
//     (2^62 taken off, which keeps the rows' order): the server's own mark that it
//     settled this row (outside writers leave id out, so their rows always have positive ids,
//     also when they bring Status "Y");
//   - failed with its call: its failure record and the row's removal, with a copy in Temp for
//     a waiting row ("N"; a row with another Status, as a scheduled row may bring, is not
//     offered again);
//   - refused by the terminal: its "is invalid" record; the row stays "N" (the rest of the call
//     may still fail it, or the dialogue may come back to it) and leaves Queue at the end of the
//     company list.
// Every Start (before its intake) and the error trap's Stop remove the rows the server settled
// as sent in a cycle that did not reach its end (negative ids) and keep every other row, a row
// written with "Y" by someone else included: it is still to be sent. The end of the company list
// removes only what the complete cycle has dealt with: the rows it sent (negative ids) and the
// ones it refused (the failed ones left with their call). A row the cycle never offered (one
// an outside writer added after its company's turn, or one a late refusal passed over) stays
// for the next cycle, whatever its Status. So a row waiting is never lost, no row leaves Queue
// without having been offered or without a record, and a page the terminal took is never
// dialled again once its "Y" is stored.
#pragma once

#include <cstdint>
#include <string>

namespace pager {

// The rows the server settled as sent: at a Start, those of a cycle that did not reach its end;
// at the end of the company list, those of the cycle (a Start removed any earlier ones).
inline constexpr const char* kRemoveSentRows = "Delete From Queue Where id < 0";
inline constexpr const char* kAnySentRows = "Select 1 From Queue Where id < 0 Limit 1";
// One row a failed call settles that is not offered again (?1: its row number, positive).
inline constexpr const char* kRemoveUnsentRow = "Delete From Queue Where id = ?1 And id > 0";
// One refused row, whatever its Status, at the end of the cycle (?1: its row number).
inline constexpr const char* kRemoveRefusedRow = "Delete From Queue Where id = ?1";
// The server's own marks on rows it has dealt with: 2^62 (4611686018427387904, far above any
// key a table hands out, one per row added) taken off the row's hidden id. A marked id is below
// 0 and can come from no outside writer; marked rows keep their order among themselves and come
// before every unmarked row (schema/pager.sql tells the programs that write rows).
inline constexpr std::int64_t kServerMark = std::int64_t{1} << 62;
// The statements that set it. ?1: the row's number, positive.
//   - a sent page: its row marked "Y" and as settled by the server;
inline const std::string kMarkRowSent = "Update Queue Set [Status] = 'Y', id = id - " +
                                        std::to_string(kServerMark) + " Where id = ?1 And id > 0";
//   - a message waiting in Temp without a modem number, once its one record is written.
inline const std::string kMarkParkedRowReported =
    "Update Temp Set id = id - " + std::to_string(kServerMark) + " Where id = ?1 And id > 0";

}  // namespace pager

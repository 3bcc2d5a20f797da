// The texts the call engine writes: to the line, to the status line and into failure records.
#pragma once

namespace pager::texts {

// Written to the modem and the paging terminal. Each line ends with one carriage return.
inline constexpr const char* kHangUpLine = "ATH+++\r";
inline constexpr const char* kOpeningLine = "\r\r";
inline constexpr const char* kManualEntryLine = "M\r";
inline constexpr const char* kLineEnd = "\r";

// Modem and terminal answers the reader reacts to, in the order it tests them.
inline constexpr const char* kConnect = "CONNECT";
inline constexpr const char* kBusy = "BUSY";
inline constexpr const char* kRejectedLower = "invalid";
inline constexpr const char* kRejectedNotValid = "not valid";
inline constexpr const char* kRejectedCapital = "Invalid";
inline constexpr const char* kNoCarrier = "NO CARRIER";
inline constexpr const char* kNoDialtone = "NO DIALTONE";
inline constexpr const char* kIdPrompt = "ID";

// Status line.
inline constexpr const char* kConnected = "Connected to paging company";
inline constexpr const char* kBusyStatus = "Paging Company Is Busy";
inline constexpr const char* kInvalidUnitStatus = "Invalid paging unit detected";
inline constexpr const char* kCarrierLostStatus = "Carrier has been lost";
inline constexpr const char* kNoDialtoneStatus = "There's no dialtone on the line";
inline constexpr const char* kNoAnswerStatus = "Paging Company did not answer";
inline constexpr const char* kLoginFailedStatus = "Paging Company login was not successful";
inline constexpr const char* kNoIdStatus = "Paging Company ID was not received";
inline constexpr const char* kSendingUnit = "Sending paging unit id";
inline constexpr const char* kSendingMessage = "Sending message";
inline constexpr const char* kDisconnecting = "Disconnecting from paging company";
inline constexpr const char* kNotOnline = "Not Online";
inline constexpr const char* kPageHeldStatus = "The line did not take the message";

// Reasons ending a failure record's sentence ("... was not sent because paging company " + reason).
inline constexpr const char* kReasonBusy = "was busy.";
inline constexpr const char* kReasonCarrierLost = "carrier was lost.";
inline constexpr const char* kReasonNoDialtone = "was not reached. No dialtone.";
inline constexpr const char* kReasonNoAnswer = "did not answer.";
inline constexpr const char* kReasonNoId = "didn't send it's ID.";
inline constexpr const char* kReasonCallFull = "could not take more messages in this call.";
inline constexpr const char* kReasonPageHeld = "did not take the message in time.";
// Followed by the error box text ("Error:  57 - Device I/O error").
inline constexpr const char* kReasonErrorPrefix = "could not be served. ";

// Countdown labels.
inline constexpr const char* kNextCompany = "Next Company:";
inline constexpr const char* kSeconds = " seconds";
inline constexpr const char* kRecycle = "Re-cycle:";

}  // namespace pager::texts

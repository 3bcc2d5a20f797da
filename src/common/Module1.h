// The state the handlers share. Every variable lives as long as the process and starts empty,
// 0 or False; counters are checked 16-bit integers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "platform/vb/Int16.h"

namespace pager {

struct Module1 {
  std::string strServerState;  // "RUNNING" or "STOP"

  std::shared_ptr<dao::Database> dbPager;       // the open pager.mdb
  std::shared_ptr<dao::Recordset> rsCompanies;  // the paging companies to call in this cycle
  std::shared_ptr<dao::Recordset> rsQueue;      // the queued rows of the company being called
  std::shared_ptr<dao::Recordset> rsTranLog;    // the log table, while a log record is written

  std::string strModem;   // modem phone number of the company being called
  vb::Int16 intPending;   // messages still pending in this cycle
  vb::Int16 intToCall;    // companies still to call
  vb::Int16 intDialSecs;  // seconds since the dial line was sent
  vb::Int16 intSendTick;  // send-timer ticks since the connection
  vb::Int16 intLastStep;  // send tick of the last dialogue step
  std::string strSendStep;  // next dialogue step, "Unit" or "Message"
  bool blnLoggedIn = false; // the first unit id of this call has been sent
  vb::Int16 intIDCount;     // answer ticks that held the terminal's "ID" prompt

  std::string strUnit, strSender, strMessage;  // the message being sent
  std::string strOutUnit, strOutMessage;       // what was written to the line
  std::string strFailReason;                   // reason put into failure log records

  vb::Int16 intCountdown;  // ticks of the pause between companies
  vb::Int16 intRecycle;    // ticks of the re-cycle pause

  std::string varDialCmd;     // "ATDT" or "ATDP"
  std::string varInitString;  // modem init string
  std::string varPrefix;      // dial prefix
  std::string strSuffix;      // dial suffix
  vb::Int16 intTimeOut;       // dial time-out in seconds
  bool blnSecurity = false;   // submission records carry the user's name
  bool blnASP = false;        // submissions come through an ASP server

  std::string strMyCompany;  // own paging company's name
  std::string strMyModem;    // own paging company's modem phone number
  vb::Int16 intOtherFile;    // Other File lookup: 0 off, any other value on (Check1's value)

  bool blnLedBack = false;  // direction of the lamp sweep

  std::int32_t lngHelpHwnd = 0;  // owner window of help calls
};

}  // namespace pager

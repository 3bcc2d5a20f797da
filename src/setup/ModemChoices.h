// The fixed choices of the modem tab: the names its lists show and what each one stands for in
// the serial port, the dial command and modem.cfg. Every comparison is exact: a name that
// differs in case or spacing matches nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pager {

// "Com 1" .. "Com 4", in list order.
const std::vector<std::string>& PortNames();
// The thirteen rates of the baud-rate list, from "110" to "256000".
const std::vector<std::string>& BaudRates();
// "TONE", "PULSE".
const std::vector<std::string>& DialModes();
// "No handshaking", "XOn/XOff", "RTS/CTS", "RTS/XOn/XOff": codes 0 to 3.
const std::vector<std::string>& HandshakingNames();

// The port number 1..4 of a port name; nullopt for any other text.
std::optional<int> PortNumberOf(const std::string& name);
// The handshaking code 0..3 of a handshaking name; nullopt for any other text.
std::optional<int> HandshakingCodeOf(const std::string& name);
// The name shown for a modem.cfg item: "1".."4" give "Com 1".."Com 4", "0".."3" the
// handshaking names; nullopt for any other item (the box then keeps what it shows).
std::optional<std::string> PortNameOfItem(const std::string& item);
std::optional<std::string> HandshakingNameOfItem(const std::string& item);
// "ATDT" for "TONE", "ATDP" for "PULSE"; nullopt for any other text.
std::optional<std::string> DialCommandOf(const std::string& dialMode);

}  // namespace pager

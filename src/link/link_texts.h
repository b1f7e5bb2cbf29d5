#pragma once
// Failure texts of the link, exactly as the user sees them (blanks before the
// line breaks included).
namespace trivolux::link_text {

constexpr const char* kTimeout =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO "
    "CONNECT AGAIN!";
// A serial port error seen while no request is waiting for its answer.
constexpr const char* kPortError =
    "TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO CONNECT AGAIN!";
constexpr const char* kBadHeader = "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!";
constexpr const char* kBadData = "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!";
constexpr const char* kUnknownOrder = "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!";
constexpr const char* kCommError = "COMMUNICATION ERROR!\nYOU MAY HAVE TO REDUCE BAUDRATE!";
constexpr const char* kServerClosed = "SERVER HAS CLOSED CONNECTION!";

}  // namespace trivolux::link_text

#pragma once
// The address of the maker's web server (scheme and host, no trailing "/"),
// to which the program's update and history requests add their paths.
// ESCTOOL_WEB_HOST, when set and not empty, takes the place of the built-in
// address; tests point it at a server on the loopback interface.
#include <string>
#include <string_view>

namespace net {

inline constexpr std::string_view kDefaultWebHost = "http://www.valtorine.example";
inline constexpr const char* kWebHostVariable = "ESCTOOL_WEB_HOST";

std::string WebHostAddress();

}  // namespace net

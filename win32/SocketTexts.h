#pragma once
// The failure texts of the asynchronous client socket (GBK bytes; the Chinese in the
// comments) and the one that names a failed WinSock call.

#include <string>

namespace qev::win32 {

namespace socket_texts {
// Windows socket 错误: %s (%d), on API '%s'
inline constexpr char kCallFailed[] = "Windows socket \xb4\xed\xce\xf3: %s (%d), on API '%s'";
inline constexpr char kAlreadyOpen[] =
    "Socket \xd2\xd1\xbe\xad\xb4\xf2\xbf\xaa";  // Socket 已经打开
inline constexpr char kCannotCreate[] =
    "\xb2\xbb\xc4\xdc\xb4\xb4\xbd\xa8\xd0\xc2\xb5\xc4 socket";  // 不能创建新的 socket
inline constexpr char kNoAddress[] = "\xc3\xbb\xd6\xb8\xb6\xa8\xb5\xd8\xd6\xb7";  // 没指定地址
// Asynchronous socket 错误 %d
inline constexpr char kAsyncFailed[] = "Asynchronous socket \xb4\xed\xce\xf3 %d";
inline constexpr char kChangeWhileActive[] =
    "Socket \xbc\xa4\xbb\xee\xca\xb1\xb2\xbb\xc4\xdc\xb8\xc4\xb1\xe4\xd6\xb5";  // Socket
                                                                                // 激活时不能改变值
}  // namespace socket_texts

// kCallFailed filled in: the system's text of code (trailing blanks and dots cut), the
// code and the call's name.
std::string SocketCallFailedText(int code, const char* api);
// kAsyncFailed filled in with code.
std::string AsyncSocketFailedText(int code);

}  // namespace qev::win32

#pragma once
// The fixed texts of the main window's controls and menus (GBK bytes; the Chinese in
// the comments).

namespace qev::win32::texts {

inline constexpr char kStart[] = "\xbf\xaa\xca\xbc\xd3\xce\xcf\xb7";        // 开始游戏
inline constexpr char kAccount[] = "\xd5\xcb\xba\xc5\xb9\xdc\xc0\xed";      // 账号管理
inline constexpr char kAccountMenu[] = "\xd5\xcb\xba\xc5\xb7\xfe\xce\xf1";  // 账号服务
inline constexpr char kWebsite[] = "\xb9\xd9\xb7\xbd\xcd\xf8\xd5\xbe";      // 官方网站
inline constexpr char kMinimize[] = "\xd7\xee\xd0\xa1\xbb\xaf";             // 最小化
inline constexpr char kClose[] = "\xb9\xd8\xb1\xd5";                        // 关闭
inline constexpr char kRecharge[] = "\xb3\xe4\xd6\xb5\xd6\xd0\xd0\xc4";     // 充值中心
inline constexpr char kStopUpdate[] = "\xcd\xa3\xd6\xb9\xb8\xfc\xd0\xc2";   // 停止更新
inline constexpr char kFullScreen[] = "\xc8\xab\xc6\xc1\xc4\xa3\xca\xbd";   // 全屏模式
inline constexpr char kResolution[] = "1024*768";
inline constexpr char kResolutionHint[] =
    "\xbd\xf8\xd3\xce\xcf\xb7\xd4\xdaN\xbc\xfc\xc0\xef\xc9\xe8\xd6\xc3\xb8\xfc\xb6\xe0";  // 进游戏在N键里设置更多

inline constexpr char kMenuShow[] = "\xcf\xd4\xca\xbe\xb4\xb0\xbf\xda(&H)";   // 显示窗口(&H)
inline constexpr char kMenuLogin[] = "\xb5\xc7\xc2\xbc\xc9\xf1\xd3\xf2(&L)";  // 登录神域(&L)
inline constexpr char kMenuQuit[] = "\xcd\xcb\xb3\xf6(&Q)";                   // 退出(&Q)
inline constexpr char kMenuChangePassword[] = "&\xd0\xde\xb8\xc4\xc3\xdc\xc2\xeb";  // &修改密码
inline constexpr char kMenuRecoverPassword[] = "&\xd5\xd2\xbb\xd8\xc3\xdc\xc2\xeb";  // &找回密码
inline constexpr char kMenuOpenFolder[] =
    "&\xb4\xf2\xbf\xaa\xc9\xf1\xd3\xf2"
    "3\xce\xc4\xbc\xfe\xbc\xd0";  // &打开神域3文件夹
inline constexpr char kMenuCleanUp[] =
    "&\xc7\xe5\xc0\xed\xc0\xac\xbb\xf8\xce\xc4\xbc\xfe";  // &清理垃圾文件

// The stop message of a configuration file that exists but cannot be read, around
// LauncherId + ".inf".
inline constexpr char kConfigUnreadableHead[] =
    "\xce\xde\xb7\xa8\xb6\xc1\xc8\xa1\xb5\xc7\xc2\xbc\xc6\xf7\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe"
    "\xa3\xba\r\n\r\n\xa1\xb0";  // 无法读取登录器配置文件：\r\n\r\n“
inline constexpr char kConfigUnreadableTail[] =
    "\xa1\xb1\r\n\r\n"  // ”
    "\xce\xc4\xbc\xfe\xbf\xc9\xc4\xdc\xd2\xd1\xcb\xf0\xbb\xb5\xbb\xf2\xd5\xfd\xb1\xbb\xc6\xe4"
    "\xcb\xfb\xb3\xcc\xd0\xf2\xd5\xbc\xd3\xc3\xa3\xac"  // 文件可能已损坏或正被其他程序占用，
    "\r\n\r\n"
    "\xc7\xeb\xd6\xd8\xd0\xc2\xb0\xb2\xd7\xb0\xb5\xc7\xc2\xbc\xc6\xf7\xba\xf3\xd4\xd9\xca\xd4"
    "\xa3\xa1";  // 请重新安装登录器后再试！

}  // namespace qev::win32::texts

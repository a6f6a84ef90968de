#include "link/LinkText.h"

#include "text/TextTable.h"

#include <array>

namespace
{
using TextPair = CTextPair<ELinkText>;

constexpr std::array kTexts{
    TextPair{ELinkText::ConnectTitle, "Connect", "连接"},
    TextPair{ELinkText::ConnectButton, "Connect", "连接"},
    TextPair{ELinkText::SearchIdButton, "Search ID", "搜索ID"},
    TextPair{ELinkText::DeviceIdPrompt, "Device ID:", "设备ID:"},
    TextPair{ELinkText::PortPrompt, "Com Select:", "端口选择:"},
    TextPair{ELinkText::DeviceTitle, "Device ID", "设备 ID"},
    TextPair{ELinkText::ChangeIdChoice, "Change Current Device ID to", "更改当前设备ID号"},
    TextPair{ELinkText::ReconnectChoice, "Re-Connect to Device ID", "重新连接到另外一台设备"},
    TextPair{ELinkText::TransferTitle, "Data transmission", "数据传输"},
    TextPair{ELinkText::Transferring, "Data transmission", "数据正在传输中"},
    TextPair{ELinkText::TransferEnded, "End of data transmission", "数据传输结束"},
    // The port layer's own message, in one language only.
    TextPair{ELinkText::PortOpenFailed, "Unable to open COM-port", "Unable to open COM-port"},
    TextPair{ELinkText::VirtualPort, "virtual processor", "虚拟处理器"},
    TextPair{ELinkText::AdvicePermission,
             "You have no permission to use %1. Join the group that owns it (%2): sudo usermod -aG %2 $USER, "
             "then log out and in again.",
             "没有使用 %1 的权限。请把当前用户加入拥有它的用户组（%2）：sudo usermod -aG %2 $USER，然后注销并重新登录。"},
    TextPair{ELinkText::AdviceInUse, "%1 is in use by another program. Close that program and try again.",
             "%1 正被另一个程序使用。请关闭那个程序后再试。"},
    TextPair{ELinkText::AdviceMissing,
             "There is no port %1. Choose one from the list, or start the virtual processor and choose its port.",
             "没有端口 %1。请从列表中选择端口，或启动虚拟处理器并选择它的端口。"},
    TextPair{ELinkText::AdviceVanished,
             "%1 is gone. If a USB serial adapter vanishes each time it is plugged in, the braille-display service "
             "brltty is taking it: sudo apt remove brltty, then plug the adapter in again.",
             "%1 已不存在。如果USB串口适配器每次插入后立即消失，是盲文显示服务 brltty 占用了它：执行 sudo apt remove "
             "brltty，然后重新插入适配器。"},
    TextPair{ELinkText::AdviceOther, "The system refused %1 (error %2).", "系统拒绝打开 %1（错误 %2）。"},
    TextPair{ELinkText::AdviceNoAnswer,
             "%1 is open, but no processor answered to device ID %2. Check the cable and that the processor is on, "
             "or press Search ID in the Connection dialog to find the IDs that answer.",
             "%1 已打开，但设备ID为 %2 的处理器没有应答。请检查连线和处理器电源，或在连接对话框中按“搜索ID”查找应答的设备ID。"},
    TextPair{ELinkText::AdviceNetAddress,
             "%1 is not a network port. Write it as tcp://host:port, for example tcp://192.168.1.50:4001.",
             "%1 不是网络端口。请写成 tcp://主机:端口，例如 tcp://192.168.1.50:4001。"},
    TextPair{ELinkText::AdviceNetHostUnknown,
             "The host of %1 is not known. Check its name, or give the serial device server's IP address.",
             "找不到 %1 的主机。请检查主机名，或直接填写串口服务器的IP地址。"},
    TextPair{ELinkText::AdviceNetRefused,
             "%1 refused the connection. Check that the serial device server is on, that the port number is "
             "right and that no other program is connected to it.",
             "%1 拒绝了连接。请检查串口服务器已开启、端口号正确，并且没有其他程序已连接到它。"},
    TextPair{ELinkText::AdviceNetUnreachable,
             "%1 cannot be reached. Check the network cable and the address of the serial device server.",
             "无法到达 %1。请检查网线和串口服务器的地址。"},
    TextPair{ELinkText::AdviceNetTimedOut,
             "%1 did not accept the connection in time. Check the address and that the serial device server is "
             "on the network.",
             "%1 未能及时接受连接。请检查地址，以及串口服务器是否在网络上。"},
    TextPair{ELinkText::AdviceNetDropped,
             "The connection to %1 was closed or reset. Check the serial device server and the network, then "
             "connect again.",
             "与 %1 的连接被关闭或重置。请检查串口服务器和网络，然后重新连接。"},
};

static_assert(InEnumOrder(kTexts), "link dialog texts must follow the order of ELinkText");
}

QString LinkText(ELinkText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}

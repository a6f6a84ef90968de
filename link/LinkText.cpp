#include "LinkText.h"

#include "TextTable.h"

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
};

static_assert(InEnumOrder(kTexts), "link dialog texts must follow the order of ELinkText");
}

QString LinkText(ELinkText id, int language)
{
    return PickText(kTexts, id, language);
}

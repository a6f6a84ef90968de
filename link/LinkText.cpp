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
};

static_assert(InEnumOrder(kTexts), "link dialog texts must follow the order of ELinkText");
}

QString LinkText(ELinkText id, int language)
{
    return PickText(kTexts, id, language);
}

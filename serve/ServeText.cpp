#include "serve/ServeText.h"

#include "text/TextTable.h"

namespace
{
using TextPair = CTextPair<EServeText>;
constexpr std::array kTexts{
    TextPair{EServeText::Listening, "listening on http://%1 (API under /api/v1)", "在 http://%1 监听（接口在 /api/v1）"},
    TextPair{EServeText::OscListening, "OSC on udp://%1 (addresses: orvan-server --osc-addresses)",
             "OSC 在 udp://%1（地址列表：orvan-server --osc-addresses）"},
    TextPair{EServeText::TokenCreated,
             "access token (shown this once, kept in %2): %1",
             "访问令牌（仅显示这一次，保存在 %2）：%1"},
    TextPair{EServeText::TokenRequired, "every request must carry the token kept in %1",
             "每个请求都必须带有保存在 %1 中的令牌"},
    TextPair{EServeText::TokenUnreadable, "cannot read the token file %1: %2", "无法读取令牌文件 %1：%2"},
    TextPair{EServeText::TokenUnwritable, "cannot write the token file %1: %2", "无法写入令牌文件 %1：%2"},
    TextPair{EServeText::ListenFailed, "cannot listen on %1: %2", "无法在 %1 监听：%2"},
    TextPair{EServeText::Connecting, "connecting to device ID %2 on %1", "正在连接 %1 上的设备 ID %2"},
    TextPair{EServeText::Online, "online: device type %1 (%2 inputs, %3 outputs), version %4",
             "已连接：设备类型 %1（%2 输入，%3 输出），版本 %4"},
    TextPair{EServeText::Offline, "offline: %1", "已断开：%1"},
    TextPair{EServeText::RetryIn, "trying again in %1 s", "%1 秒后重试"},
    TextPair{EServeText::Recalling, "recalling program %1 (%2)", "正在调用程序 %1（%2）"},
    TextPair{EServeText::Storing, "storing program %1 \"%2\" (%3)", "正在存储程序 %1 \"%2\"（%3）"},
    TextPair{EServeText::Written, "%1 = %2 (%3)", "%1 = %2（%3）"},
    TextPair{EServeText::TransferDone, "transfer finished", "传输完成"},
    TextPair{EServeText::ClientJoined, "event client %1 joined", "事件客户端 %1 已连接"},
    TextPair{EServeText::ClientLeft, "event client %1 left", "事件客户端 %1 已离开"},
    TextPair{EServeText::Stopping, "stopping", "正在停止"},
    TextPair{EServeText::ErrNotFound, "nothing at %1", "%1 不存在"},
    TextPair{EServeText::ErrMethod, "%1 is not allowed here", "此处不允许 %1"},
    TextPair{EServeText::ErrUnknownParameter, "no parameter %1", "没有参数 %1"},
    TextPair{EServeText::ErrNoChannel, "no channel %1 (this processor has %2)", "没有通道 %1（此处理器有 %2 个）"},
    TextPair{EServeText::ErrMalformedJson, "the body is not a JSON object: %1", "请求体不是 JSON 对象：%1"},
    TextPair{EServeText::ErrBadValue,
             "%1 takes {\"value\": number or text} or {\"step\": whole number}",
             "%1 需要 {\"value\": 数字或文字} 或 {\"step\": 整数}"},
    TextPair{EServeText::ErrOutOfRange, "%1 is out of range (%2 to %3)", "%1 超出范围（%2 至 %3）"},
    TextPair{EServeText::ErrBadName, "a name is up to %1 printable ASCII characters",
             "名称最多 %1 个可打印的 ASCII 字符"},
    TextPair{EServeText::ErrLocked, "%1 is locked", "%1 已锁定"},
    TextPair{EServeText::ErrOffline, "the processor is not online", "处理器未连接"},
    TextPair{EServeText::ErrBusy, "a transfer is under way", "正在传输数据"},
    TextPair{EServeText::ErrBodyTooLarge, "the request is larger than %1 bytes", "请求超过 %1 字节"},
    TextPair{EServeText::ErrUnauthorized, "this service needs its bearer token", "此服务需要访问令牌"},
    TextPair{EServeText::ErrForbiddenOrigin, "requests from other web pages are not accepted",
             "不接受来自其他网页的请求"},
    TextPair{EServeText::ErrBadHost, "this service answers only under its own address",
             "此服务只响应其自身地址"},
    TextPair{EServeText::ErrTooManyRequests, "too many requests; slow down", "请求过多，请放慢"},
    TextPair{EServeText::ErrBadSlot, "a program number is %1 to %2", "程序号为 %1 至 %2"},
    TextPair{EServeText::ErrBadMediaType, "a write takes Content-Type: application/json",
             "写入需要 Content-Type: application/json"},
    TextPair{EServeText::ErrMalformedOsc, "not an OSC packet: %1", "不是 OSC 数据包：%1"},
    TextPair{EServeText::ErrBadArguments,
             "%1 takes one value to set it, none to ask for it (orvan-server --osc-addresses lists them)",
             "%1 需要一个值来设置，不带值则为查询（orvan-server --osc-addresses 列出全部地址）"},
};
static_assert(InEnumOrder(kTexts), "texts must follow the order of EServeText");
}

QString ServeText(EServeText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}

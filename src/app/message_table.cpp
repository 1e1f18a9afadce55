#include "app/message_table.h"

#include <array>

namespace korvana::app {

namespace {
constexpr auto E = MessageIcon::kExclamation;
constexpr auto C = MessageIcon::kCritical;
constexpr auto I = MessageIcon::kInformation;

// Index 0 is unused so that the index is the message number. The punctuation
// (ASCII "!" or full-width "！") is part of each text.
constexpr std::array<MessageEntry, kMessageCount + 1> kTable{{
    {"", I, ""},
    {"错误", E, "空文件！"},
    {"错误", C, "打开文件出错!"},
    {"错误", E, "请先打开手机文件!"},
    {"错误", E, "铃声地址表为空!"},
    {"错误", E, "文件已经打开!"},
    {"恭喜", I, "已生成铃声表文件!"},
    {"错误", C, "铃声表格式错误!"},
    {"错误", C, "请选择要导出的铃声!"},
    {"恭喜", I, "mmf-positiv"},
    {"恭喜", I, "s3-okay!"},
    {"错误", E, "请选择要转换的条目!"},
    {"错误", C, "mmf文件的大小大于内置铃声文件的大小!"},
    {"恭喜", I, "已经修改文件!"},
    {"", E, ""},
    {"", I, ""},
    {"恭喜", I, "已生成图片表文件!"},
    {"错误", E, "生成s3文件错误!"},
    {"恭喜", I, "已生成bmp文件!"},
    {"错误", E, "bmp文件的宽度和高度不一致!"},
    {"恭喜", I, "图片替换成功!"},
    {"恭喜", I, "已经保存文件!"},
    {"错误", E, "S3文件格式不对!"},
    {"恭喜", I, "已生成bin文件!"},
    {"错误", E, "请选择s3文件!"},
    {"抱歉", E, "信息不完整,不能加入列表！"},
    {"查找完毕", E, "已经查找完整个文件!"},
    {"抱歉", E, "请输入你想查找的字符串!"},
    {"错误", C, "起始地址空!"},
    {"错误", C, "结束地址空!"},
    {"错误", C, "结束地址应大于起始地址!"},
    {"错误", E, "请选择一个bin文件!"},
    {"抱歉", I, "请先停止图片播放!"},
    {"抱歉", I, "没有找到帮助文件!"},
    {"错误", I, "不支持该色彩数!"},
    {"", I, ""},  // 35: no entry
    {"抱歉", E, "转换bmp文件失败!"},
    {"抱歉", E, "打开bmp文件失败!"},
    {"错误", C, "图片表格式错误!"},
    {"错误", C, "请输入要修改的偏移地址!"},
    {"错误", C, "请输入铃声的大小!"},
    {"注意", E, "压缩后的图片大小大于内置图片的大小!"},
    {"注意", E, "压缩后的图片大小大于内置图片的大小！确认要替换吗？"},
    {"注意", E, "替换的铃声大小大于内置铃声的大小！确认要替换吗？"},
    {"抱歉", I, "没有任何修改!"},
}};

constexpr int kNoEntry = 35;
}  // namespace

std::optional<MessageEntry> MessageFor(int n) {
  if (n < 1 || n > kMessageCount || n == kNoEntry) return std::nullopt;
  return kTable[static_cast<std::size_t>(n)];
}

std::string_view MessageText(int n) {
  const auto entry = MessageFor(n);
  return entry ? entry->text : std::string_view{};
}

}  // namespace korvana::app

#pragma once
// The fixed texts of the program that are not numbered messages: the window
// caption, the file-dialog filters in "description|pattern|..." form, the
// questions and the names of the files beside the program.

#include <string_view>

namespace korvana::app {

inline constexpr std::string_view kWindowCaption = "KORVANA V4.0 by Pelzo **GERMAN EDITION**";

inline constexpr std::string_view kS3Filter = "s3--(*.s3,*.sre)|*.s3;*.sre|所有文件(*.*)|*.*";
inline constexpr std::string_view kPictureTableFilter = "图片表文件(*.txt)|*.txt|所有文件(*.*)|*.*";
inline constexpr std::string_view kBinFilter = "bin--(*.bin)|*.bin|所有文件(*.*)|*.*";
inline constexpr std::string_view kToneTableFilter = "铃声表文件(*.txt)|*.txt|所有文件(*.*)|*.*";
inline constexpr std::string_view kHandsetFilter = "手机文件(*.bin,*.tfs)|*.bin;*.tfs|所有文件(*.*)|*.*";
inline constexpr std::string_view kMmfFilter = "mmf--(*.mmf)|*.mmf|所有文件(*.*)|*.*";
inline constexpr std::string_view kToneOrBinFilter = "(*.mmf,*.bin)|*.mmf;*.bin|(*.*)|*.*";
inline constexpr std::string_view kBmpFilter = "bmp--(*.bmp)|*.bmp";

inline constexpr std::string_view kSaveConfirmText = "保存修改过的文件吗？";
inline constexpr std::string_view kPictureTooLargeQuestion = "压缩后的图片大小大于内置图片的大小！确认要替换吗？";
inline constexpr std::string_view kToneTooLargeQuestion = "替换的铃声大小大于内置铃声的大小！确认要替换吗？";
inline constexpr std::string_view kQuestionTitle = "注意";
inline constexpr std::string_view kBrowseFolderTitle = "请选择软件安装路径：";
// The box of a picture whose colour depth no decoder handles (title "错误").
inline constexpr std::string_view kBadBmpFormatText = "错误的bmp文件格式";

// Files beside the program.
inline constexpr std::string_view kSettingsFileName = "korvana.inf";
inline constexpr std::string_view kHelpFileName = "KORVANA Help.chm";
// The help we ship is a web page; it is opened when no "KORVANA Help.chm"
// stands beside the program.
inline constexpr std::string_view kShippedHelpFileName = "KORVANA Help.html";
inline constexpr std::string_view kTempToneFileName = "temp.mmf";
inline constexpr std::string_view kPaletteFileName = "16.dat";

// The two links of the "RM" tab and the "Homepage" menu point at pages of
// the shipped help, so that they work without a network.
inline constexpr std::string_view kDeveloperPageAnchor = "#developer";
inline constexpr std::string_view kMakersPageAnchor = "#makers";

}  // namespace korvana::app

#pragma once

#include "base/TriText.h"

#include <QString>
#include <QStringList>

#include <array>

// The messages of failed operations, in the three languages, UTF-8.
//
// The layers below the frame have no interface language: they make a
// message in English with English(), and batch mode prints that text as it
// is. The window shows every message through CFrameDialogs::ShowMessage,
// which hands it to Translate: the entry whose English the text matches
// gives the words in the interface language, and the arguments (names,
// numbers, or a shorter message of this table saying why) are put in again,
// themselves translated where they are messages too. A text that matches no
// entry (an operating-system error, say) is shown as it is.
//
// %1 to %9 are the arguments; a format uses each of its numbers once.
namespace MessageText {
// Reading pictures, listings and projects. %1: a quoted name.
inline constexpr STriText CannotOpen = {"cannot open '%1'", "无法打开“%1”", "無法開啟「%1」"};
inline constexpr STriText CannotRead = {"cannot read '%1'", "无法读取“%1”", "無法讀取「%1」"};
inline constexpr STriText NotRegularFile = {"'%1' is not a regular file", "“%1”不是普通文件", "「%1」不是一般檔案"};
// %2: the most bytes read from such a file.
inline constexpr STriText FileTooLarge = {"'%1' is larger than %2 bytes", "“%1”大于 %2 字节",
                                          "「%1」大於 %2 位元組"};
inline constexpr STriText NotAPicture = {"'%1' is not a BMP, PNG or JPEG picture that can be read",
                                         "“%1”不是可以读取的 BMP、PNG 或 JPEG 图片",
                                         "「%1」不是可以讀取的 BMP、PNG 或 JPEG 圖片"};
inline constexpr STriText PictureUnreadable = {"The picture \"%1\" cannot be read.", "无法读取图片“%1”。",
                                               "無法讀取圖片「%1」。"};
// %1: the problem (one of the listing texts below, or a file's).
inline constexpr STriText NotAListing = {"The file cannot be drawn as a dot listing: %1.",
                                         "无法将该文件作为点阵数据绘制：%1。", "無法將此檔案當作點陣資料繪製：%1。"};
inline constexpr STriText NoCanvasForListing = {"there is no canvas to draw the listing on",
                                                "没有可以绘制点阵数据的画布", "沒有可以繪製點陣資料的畫布"};
// %1: the line number, %2: what is wrong with it.
inline constexpr STriText ListingLine = {"line %1: %2", "第 %1 行：%2", "第 %1 行：%2"};
inline constexpr STriText ListingTooLong = {"the listing is longer than the %1 bytes of a full canvas",
                                            "点阵数据超过了整块画布的 %1 字节", "點陣資料超過了整塊畫布的 %1 位元組"};
inline constexpr STriText ListingLineTooLong = {"'%1' is too long for a dot listing", "“%1”对点阵数据来说太长",
                                                "「%1」對點陣資料來說太長"};
// %1: the entry, %2 x %3: the canvas.
inline constexpr STriText NotADotEntry = {"'%1' is not a dot entry of this %2 x %3 canvas",
                                          "“%1”不是这块 %2 × %3 画布的格点项", "「%1」不是這塊 %2 × %3 畫布的格點項"};

// Writing files. %1: a quoted name.
inline constexpr STriText FolderLeftAlone = {"\"%1\" is a folder and is left as it is.", "“%1”是文件夹，未作改动。",
                                             "「%1」是資料夾，未作變更。"};
inline constexpr STriText SpecialFileLeftAlone = {"\"%1\" is not a regular file and is left as it is.",
                                                  "“%1”不是普通文件，未作改动。", "「%1」不是一般檔案，未作變更。"};
// %1: the file's name as the system writes it.
inline constexpr STriText FileNotSaved = {"The file %1 could not be saved.", "无法保存文件 %1。", "無法儲存檔案 %1。"};
// %2: why, one of these texts or the system's.
inline constexpr STriText PictureNotSaved = {"The picture could not be saved as \"%1\":\n%2", "无法将图片保存为“%1”：\n%2",
                                             "無法將圖片儲存為「%1」：\n%2"};
inline constexpr STriText NotWritten = {"\"%1\" could not be written: %2", "无法写入“%1”：%2", "無法寫入「%1」：%2"};
inline constexpr STriText CannotWrite = {"Cannot write '%1': %2", "无法写入“%1”：%2", "無法寫入「%1」：%2"};
inline constexpr STriText NoDots = {"The canvas has no dots.", "画布上没有任何格点。", "畫布上沒有任何格點。"};
inline constexpr STriText NoMemoryForPicture = {"Not enough memory for the picture.", "内存不足，无法生成图片。",
                                                "記憶體不足，無法產生圖片。"};
inline constexpr STriText NotAPictureKind = {"\"%1\" asks for a kind of picture that is not written. "
                                             "End the name in .bmp, .png or .jpg.",
                                             "无法写出“%1”所要求的图片类型。请让文件名以 .bmp、.png 或 .jpg 结尾。",
                                             "無法寫出「%1」所要求的圖片類型。請讓檔名以 .bmp、.png 或 .jpg 結尾。"};
// %2 x %3: the canvas.
inline constexpr STriText JpegTooLarge = {"A JPEG picture has at most 65,500 dots a side; this canvas is %1 x %2. "
                                          "Save it as BMP or PNG.",
                                          "JPEG 图片每边最多 65,500 点，而这块画布是 %1 × %2。请保存为 BMP 或 PNG。",
                                          "JPEG 圖片每邊最多 65,500 點，而這塊畫布是 %1 × %2。請儲存為 BMP 或 PNG。"};
// %1: the encoder's own words.
inline constexpr STriText JpegFailed = {"The JPEG encoder failed: %1", "JPEG 编码器出错：%1", "JPEG 編碼器出錯：%1"};

// Export. %2, %3: the endings that may be used.
inline constexpr STriText NoExportForm = {"\"%1\" names no export form; use %2 or %3.",
                                          "“%1”不对应任何导出格式；请使用 %2 或 %3。",
                                          "「%1」不對應任何匯出格式；請使用 %2 或 %3。"};
inline constexpr STriText NoControllerFormat = {"'%1' names no controller format; use .c, .h, .bin or .hex.",
                                                "“%1”不对应任何控制器格式；请使用 .c、.h、.bin 或 .hex。",
                                                "「%1」不對應任何控制器格式；請使用 .c、.h、.bin 或 .hex。"};
// %1 x %2: the canvas, %3 x %4: a module.
inline constexpr STriText NoWholeModules = {"A %1 x %2 canvas does not split into whole modules of %3 x %4 dots.",
                                            "%1 × %2 的画布无法分成整数个 %3 × %4 点的模块。",
                                            "%1 × %2 的畫布無法分成整數個 %3 × %4 點的模組。"};
// Printing into a PDF file. %1: the file's name as the system writes it.
inline constexpr STriText PdfNotMade = {"the PDF file %1 could not be made", "无法生成 PDF 文件 %1",
                                        "無法產生 PDF 檔案 %1"};
inline constexpr STriText PdfNotWritten = {"the PDF file %1 could not be written", "无法写入 PDF 文件 %1",
                                           "無法寫入 PDF 檔案 %1"};
// %1: why.
inline constexpr STriText NothingPrinted = {"Nothing was printed: %1", "未打印任何内容：%1", "未列印任何內容：%1"};
inline constexpr STriText PrinterNotStarted = {"The printer could not be started, so nothing was printed.",
                                               "无法启动打印机，因此未打印任何内容。", "無法啟動印表機，因此未列印任何內容。"};
// The same with the print spooler's reason.
inline constexpr STriText PrinterNotStartedWhy = {"The printer could not be started, so nothing was printed. (%1)",
                                                  "无法启动打印机，因此未打印任何内容。（%1）",
                                                  "無法啟動印表機，因此未列印任何內容。（%1）"};
// %1: the help page's full name.
inline constexpr STriText HelpMissing = {"The help page %1 is missing.", "找不到帮助页面 %1。", "找不到說明頁面 %1。"};

// Animation.
inline constexpr STriText NothingToAnimate = {"There is nothing to animate: the canvas has no dots.",
                                              "没有可以制作动画的内容：画布上没有任何格点。",
                                              "沒有可以製作動畫的內容：畫布上沒有任何格點。"};
// %1 frames, each %2 x %3 dots.
inline constexpr STriText AnimationTooLarge = {"The animation would need %1 frames of %2 x %3 dots, more than memory allows.",
                                               "这段动画需要 %1 帧 %2 × %3 点的画面，超出了内存所能容纳的范围。",
                                               "這段動畫需要 %1 幀 %2 × %3 點的畫面，超出了記憶體所能容納的範圍。"};
inline constexpr STriText NoMemoryForFrames = {"Not enough memory for the frames.", "内存不足，无法生成各帧。",
                                               "記憶體不足，無法產生各幀。"};
inline constexpr STriText GifTooLarge = {"The picture would be larger than a GIF can be.", "图片会超出 GIF 所能容纳的大小。",
                                         "圖片會超出 GIF 所能容納的大小。"};
inline constexpr STriText NoMemoryForGif = {"Not enough memory for the GIF.", "内存不足，无法生成 GIF。",
                                            "記憶體不足，無法產生 GIF。"};
// %1: the encoder's own words.
inline constexpr STriText GifFailed = {"The GIF could not be encoded (%1).", "无法编码 GIF（%1）。", "無法編碼 GIF（%1）。"};
inline constexpr STriText NotAFramesName = {"\"%1\" is not a .bmp or .png name.", "“%1”不是以 .bmp 或 .png 结尾的文件名。",
                                            "「%1」不是以 .bmp 或 .png 結尾的檔名。"};
inline constexpr STriText AnimationNotSaved = {"The animation could not be saved: %1", "无法保存动画：%1",
                                               "無法儲存動畫：%1"};

// Projects. %1: a quoted name, %2: what is wrong (the texts below).
inline constexpr STriText NotRegularFileSentence = {"'%1' is not a regular file.", "“%1”不是普通文件。",
                                                    "「%1」不是一般檔案。"};
inline constexpr STriText ProjectNotSaved = {"The project could not be saved as '%1': %2", "无法将项目保存为“%1”：%2",
                                             "無法將專案儲存為「%1」：%2"};
inline constexpr STriText OutOfMemory = {"out of memory", "内存不足", "記憶體不足"};
inline constexpr STriText ProjectCannotOpen = {"The project cannot be opened: %1.", "无法打开项目：%1。",
                                               "無法開啟專案：%1。"};
inline constexpr STriText NotAProject = {"'%1' is not a Pellmark project.", "“%1”不是 Pellmark 项目。",
                                         "「%1」不是 Pellmark 專案。"};
inline constexpr STriText ProjectIncomplete = {"The project '%1' is incomplete: %2.", "项目“%1”不完整：%2。",
                                               "專案「%1」不完整：%2。"};
inline constexpr STriText ProjectDamaged = {"The project '%1' is damaged: %2.", "项目“%1”已损坏：%2。",
                                            "專案「%1」已損毀：%2。"};
// %2: the file's project format, %3: the newest this program opens.
inline constexpr STriText ProjectTooNew = {"The project '%1' was saved by a newer Pellmark (project format %2); "
                                           "this one opens format %3 and older.",
                                           "项目“%1”由较新版本的 Pellmark 保存（项目格式 %2）；"
                                           "此版本只能打开格式 %3 及更早的项目。",
                                           "專案「%1」由較新版本的 Pellmark 儲存（專案格式 %2）；"
                                           "此版本只能開啟格式 %3 及更早的專案。"};
inline constexpr STriText EndsEarly = {"the file ends early", "文件提前结束", "檔案提前結束"};
inline constexpr STriText PictureStructureBroken = {"its picture structure is broken", "其图片结构已损坏",
                                                    "其圖片結構已損毀"};
inline constexpr STriText SettingsTooLarge = {"its settings are larger than %1 bytes", "其设置大于 %1 字节",
                                              "其設定大於 %1 位元組"};
inline constexpr STriText SettingsChecksum = {"its settings fail their checksum", "其设置未通过校验",
                                              "其設定未通過檢查碼驗證"};
inline constexpr STriText SizeMissing = {"the canvas size is missing", "缺少画布大小", "缺少畫布大小"};
inline constexpr STriText CanvasTooLarge = {"a canvas of %1 x %2 dots is larger than Pellmark makes",
                                            "%1 × %2 点的画布超出了 Pellmark 所能制作的大小",
                                            "%1 × %2 點的畫布超出了 Pellmark 所能製作的大小"};
inline constexpr STriText SizesDisagree = {"the picture is %1 x %2 dots, the settings say %3 x %4",
                                           "图片为 %1 × %2 点，而设置中为 %3 × %4", "圖片為 %1 × %2 點，而設定中為 %3 × %4"};
inline constexpr STriText PictureDataDamaged = {"its picture data is damaged", "其图片数据已损坏", "其圖片資料已損毀"};
inline constexpr STriText VersionMissing = {"its format version is missing", "缺少格式版本", "缺少格式版本"};
inline constexpr STriText BadColourDigit = {"a character colour is not a digit 0 to 7", "有字符颜色不是 0 到 7 的数字",
                                            "有字元顏色不是 0 到 7 的數字"};
inline constexpr STriText FrameWithoutPlace = {"a frame has no place in the sign", "有一帧在显示屏中没有位置",
                                               "有一幀在顯示屏中沒有位置"};
// %1: the frame's number, counted from 1.
inline constexpr STriText FrameTwice = {"frame %1 is there twice", "第 %1 帧出现了两次", "第 %1 幀出現了兩次"};
inline constexpr STriText FrameBadTiming = {"frame %1 has a wrong duration or mode", "第 %1 帧的时长或模式有误",
                                            "第 %1 幀的時長或模式有誤"};
inline constexpr STriText FrameDotsDamaged = {"the dots of frame %1 are damaged", "第 %1 帧的格点已损坏",
                                              "第 %1 幀的格點已損毀"};
// %1 frames, each %2 x %3 dots.
inline constexpr STriText TooManyFrames = {"%1 frames of %2 x %3 dots are more than Pellmark keeps",
                                           "%1 帧 %2 × %3 点的画面超出了 Pellmark 所能容纳的数量",
                                           "%1 幀 %2 × %3 點的畫面超出了 Pellmark 所能容納的數量"};
inline constexpr STriText FrameChecksum = {"a frame fails its checksum", "有一帧未通过校验", "有一幀未通過檢查碼驗證"};
// Frame %1 of %2.
inline constexpr STriText FrameMissing = {"frame %1 of %2 is missing", "缺少第 %1 帧（共 %2 帧）",
                                          "缺少第 %1 幀（共 %2 幀）"};

// A project's settings. %1: a quoted value.
inline constexpr STriText SettingsNotUtf8 = {"the settings are not UTF-8 text", "设置不是 UTF-8 文本",
                                             "設定不是 UTF-8 文字"};
inline constexpr STriText TooManySettingsLines = {"more than %1 lines of settings", "设置超过 %1 行", "設定超過 %1 行"};
inline constexpr STriText SettingWithoutKey = {"a settings line without a key: \"%1\"", "有一行设置没有键名：“%1”",
                                               "有一行設定沒有鍵名：「%1」"};
inline constexpr STriText NotANumberFromTo = {"\"%1\" is not a number from %2 to %3", "“%1”不是 %2 到 %3 之间的数字",
                                              "「%1」不是 %2 到 %3 之間的數字"};
inline constexpr STriText NotAColour = {"\"%1\" is not a colour RRGGBB", "“%1”不是 RRGGBB 形式的颜色",
                                        "「%1」不是 RRGGBB 形式的顏色"};
inline constexpr STriText NotAColourRun = {"\"%1\" is not a colour run RRGGBB*N", "“%1”不是 RRGGBB*N 形式的颜色段",
                                           "「%1」不是 RRGGBB*N 形式的顏色段"};
inline constexpr STriText BrokenEscape = {"a broken escape in \"%1\"", "“%1”中有无效的转义序列",
                                          "「%1」中有無效的跳脫序列"};
inline constexpr STriText TooManyCharacters = {"more than %1 characters", "超过 %1 个字符", "超過 %1 個字元"};
inline constexpr STriText TooManyColours = {"more than %1 colours", "超过 %1 种颜色", "超過 %1 種顏色"};

// A name (a file's, a setting's) and what is wrong with it. Any text with a
// colon fits it, so it is tried last.
inline constexpr STriText NamedProblem = {"%1: %2", "%1：%2", "%1：%2"};

// Start-up. %1: the file named on the command line.
inline constexpr STriText CannotOpenAtStart = {"Cannot open \"%1\".", "无法打开“%1”。", "無法開啟「%1」。"};

// Every entry, in the order Translate tries them.
inline constexpr std::array<STriText, 76> kAll = {
    CannotOpen, CannotRead, NotRegularFile, FileTooLarge, NotAPicture, PictureUnreadable, NotAListing,
    NoCanvasForListing, ListingLine, ListingTooLong, ListingLineTooLong, NotADotEntry, FolderLeftAlone,
    SpecialFileLeftAlone, FileNotSaved, PictureNotSaved, NotWritten, CannotWrite, NoDots, NoMemoryForPicture,
    NotAPictureKind, JpegTooLarge, JpegFailed, NoExportForm, NoControllerFormat, NoWholeModules, PdfNotMade,
    PdfNotWritten, NothingPrinted, PrinterNotStarted, PrinterNotStartedWhy, HelpMissing, NothingToAnimate, AnimationTooLarge,
    NoMemoryForFrames, GifTooLarge, NoMemoryForGif, GifFailed, NotAFramesName, AnimationNotSaved,
    NotRegularFileSentence, ProjectNotSaved, OutOfMemory, ProjectCannotOpen, NotAProject, ProjectIncomplete,
    ProjectDamaged, ProjectTooNew, EndsEarly, PictureStructureBroken, SettingsTooLarge, SettingsChecksum,
    SizeMissing, CanvasTooLarge, SizesDisagree, PictureDataDamaged, VersionMissing, BadColourDigit,
    FrameWithoutPlace, FrameTwice, FrameBadTiming, FrameDotsDamaged, TooManyFrames, FrameChecksum, FrameMissing,
    SettingsNotUtf8, TooManySettingsLines, SettingWithoutKey, NotANumberFromTo, NotAColour, NotAColourRun,
    BrokenEscape, TooManyCharacters, TooManyColours, CannotOpenAtStart, NamedProblem,
};
static_assert(AllComplete(kAll));

// format with %1, %2, ... replaced by args in one pass, so an argument that
// itself holds "%2" stays as it is. A number without an argument stays too.
QString Fill(const QString& format, const QStringList& args);

// The message in English, as batch mode prints it.
inline QString English(const STriText& format, const QStringList& args = {})
{
    return Fill(QString::fromUtf8(format.szEnglish), args);
}

// An English message of this table in the language (see above); several
// lines that match no entry as a whole are translated line by line.
QString Translate(const QString& english, int language);
} // namespace MessageText

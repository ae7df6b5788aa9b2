#pragma once

#include <array>

// Texts that are meant to stay Chinese whatever the interface language: the
// program shows them this way in English, Simplified and Traditional Chinese
// alike. They are not looked up by language; do not translate them. UTF-8.
namespace FixedChinese {
// The New dialog's two mode buttons.
constexpr const char* kTextMode = "文字模式";
constexpr const char* kImageMode = "图片模式";
// The New dialog's question when a typed size is off the 8-dot blocks:
// entered width, height, then the corrected width, height.
constexpr const char* kCorrectSize = "输入的数据 [%1x%2] 无效！\n\n是否自动修正为 %3x%4？";
// The About box's caption, before the product title.
constexpr const char* kAboutPrefix = "关于 ";
// The caption of the dialogs that ask where to save a file.
constexpr const char* kSaveFileTitle = "保存文件";

constexpr std::array<const char*, 5> kAll = {kTextMode, kImageMode, kCorrectSize, kAboutPrefix, kSaveFileTitle};
} // namespace FixedChinese

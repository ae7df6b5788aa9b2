#pragma once

#include "base/TriText.h"

// The texts of the questions that keep the user's work (save changes first,
// restore unsaved work) and of the project file dialogs.
namespace KeepText {
// %1: the project's name.
inline constexpr STriText SaveChanges = {"Save the changes to \"%1\" before they are lost?",
                                         "要在关闭前保存对“%1”的更改吗？",
                                         "要在關閉前保存對「%1」的變更嗎？"};
inline constexpr STriText Untitled = {"Untitled", "未命名", "未命名"};
inline constexpr STriText SaveButton = {"&Save", "保存(&S)", "保存(&S)"};
inline constexpr STriText DiscardButton = {"&Discard", "不保存(&D)", "不保存(&D)"};
inline constexpr STriText CancelButton = {"Cancel", "取消", "取消"};
// %1: when the work was last kept.
inline constexpr STriText RestoreWork = {"Pellmark ended before your work was saved. "
                                         "Restore the work last kept at %1?",
                                         "Pellmark 上次在保存工作前结束。要恢复 %1 时保留的工作吗？",
                                         "Pellmark 上次在保存工作前結束。要還原 %1 時保留的工作嗎？"};
inline constexpr STriText RestoreButton = {"&Restore", "恢复(&R)", "還原(&R)"};
inline constexpr STriText LaterButton = {"&Later", "以后再说(&L)", "以後再說(&L)"};
// The file dialogs' filter.
inline constexpr STriText ProjectFilter = {"Pellmark project (*.png)", "Pellmark 项目 (*.png)",
                                           "Pellmark 專案 (*.png)"};

static_assert(AllComplete(std::array<STriText, 9>{SaveChanges, Untitled, SaveButton, DiscardButton, CancelButton,
                                                  RestoreWork, RestoreButton, LaterButton, ProjectFilter}));
} // namespace KeepText

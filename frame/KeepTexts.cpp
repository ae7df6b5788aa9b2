#include "frame/KeepTexts.h"

QString CLanguageText::In(int language) const
{
    const std::size_t column = language >= 0 && language < 3 ? static_cast<std::size_t>(language) : 0;
    return QString::fromUtf8(aszText[column]);
}

namespace KeepText {
const CLanguageText SaveChanges = {{"Save the changes to \"%1\" before they are lost?",
                                    "要在关闭前保存对“%1”的更改吗？",
                                    "要在關閉前保存對「%1」的變更嗎？"}};
const CLanguageText Untitled = {{"Untitled", "未命名", "未命名"}};
const CLanguageText SaveButton = {{"&Save", "保存(&S)", "保存(&S)"}};
const CLanguageText DiscardButton = {{"&Discard", "不保存(&D)", "不保存(&D)"}};
const CLanguageText CancelButton = {{"Cancel", "取消", "取消"}};
const CLanguageText RestoreWork = {{"Pellmark ended before your work was saved. "
                                    "Restore the work last kept at %1?",
                                    "Pellmark 上次在保存工作前结束。要恢复 %1 时保留的工作吗？",
                                    "Pellmark 上次在保存工作前結束。要還原 %1 時保留的工作嗎？"}};
const CLanguageText RestoreButton = {{"&Restore", "恢复(&R)", "還原(&R)"}};
const CLanguageText LaterButton = {{"&Later", "以后再说(&L)", "以後再說(&L)"}};
const CLanguageText ProjectFilter = {{"Pellmark project (*.png)", "Pellmark 项目 (*.png)", "Pellmark 專案 (*.png)"}};
} // namespace KeepText

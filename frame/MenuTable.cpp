#include "frame/MenuTable.h"

namespace {
constexpr int kPopup = CMenuItem::kPopup;
constexpr int kSeparator = CMenuItem::kSeparator;
}

const std::array<CMenuItem, 40> kMenuTable = {{
    {0, kPopup, {"&File", "文件(&F)", "文件(&F)"}},
    {1, 1000, {"&New", "新建图像(&N)", "新建圖像(&N)"}},
    {1, 1001, {"&Open", "打开图像(&O)", "打開圖像(&O)"}},
    {1, kSeparator, {"", "", ""}},
    {1, 1002, {"&Save", "保存点阵数据(&S)", "保存點陣資料(&S)"}},
    {1, 1003, {"Save &Image", "保存图像(&I)", "保存圖像(&I)"}},
    {1, kSeparator, {"", "", ""}},
    {1, 32787, {"&Print", "打印(&P)", "打印(&P)"}},
    {1, kSeparator, {"", "", ""}},
    {1, 1004, {"&Exit", "退出(&E)", "退出(&E)"}},
    {0, kPopup, {"&Edit", "编辑(&E)", "編輯(&E)"}},
    {1, 1005, {"&Mirror", "左右调换(&M)", "左右調換(&M)"}},
    {1, 1006, {"&Flip", "上下调换(&F)", "上下調換(&F)"}},
    {1, 1007, {"&Rotate", "旋转90度(&R)", "旋轉90度(&R)"}},
    {1, kSeparator, {"", "", ""}},
    {1, kPopup, {"Change &Color", "修改格点颜色(&C)", "修改格點顏色(&C)"}},
    {2, 32777, {"&Red", "红色(&R)", "紅色(&R)"}},
    {2, 32778, {"&Green", "绿色(&G)", "綠色(&G)"}},
    {2, 32779, {"&Blue", "蓝色(&B)", "藍色(&B)"}},
    {2, 32780, {"&Yellow", "黄色(&Y)", "黃色(&Y)"}},
    {2, 32781, {"&Pink", "粉红色(&P)", "粉紅色(&P)"}},
    {2, 32782, {"&White", "白色(&W)", "白色(&W)"}},
    {2, 32783, {"&Orange", "橙色(&O)", "橙色(&O)"}},
    {1, kSeparator, {"", "", ""}},
    {1, 1011, {"&Zoom In", "放大格点(&Z)", "放大格點(&Z)"}},
    {1, 1012, {"Zoom &Out", "缩小格点(&O)", "縮小格點(&O)"}},
    {1, 1013, {"Toggle &Grid", "切换格线(&G)", "切換格線(&G)"}},
    {1, kSeparator, {"", "", ""}},
    {1, 2207, {"Merge &Text", "合并文字(&T)", "合併文字(&T)"}},
    {0, kPopup, {"&System", "系统(&S)", "系統(&S)"}},
    {1, 32776, {"View &Image", "查看图片(&I)", "查看图片(&I)"}},
    {1, 32786, {"&Background Color...", "背景色...(&B)", "背景色...(&B)"}},
    {1, 1021, {"&Font...", "输入区字体...(&F)", "輸入區字體...(&F)"}},
    {1, kPopup, {"&Language", "&Language", "&Language"}},
    {2, 2100, {"&English", "&English", "&English"}},
    {2, 2101, {"Chinese &Simplified", "Chinese &Simplified", "Chinese &Simplified"}},
    {2, 2102, {"Chinese &Traditional", "Chinese &Traditional", "Chinese &Traditional"}},
    {0, kPopup, {"&Help", "帮助(&H)", "説明(&H)"}},
    {1, 32788, {"&Help", "帮助(&H)", "幫助(&H)"}},
    {1, 1024, {"&About...", "关于...(&A)", "關於...(&A)"}},
}};

#pragma once

// Command ids of the main frame's menus and toolbar, the language menu and
// the input pane's own toolbar (its colour buttons and Merge Text).
namespace CommandId {
constexpr int New = 1000;
constexpr int Open = 1001;
constexpr int SaveDot = 1002;
constexpr int SaveImage = 1003;
constexpr int Exit = 1004;
constexpr int Mirror = 1005;
constexpr int Flip = 1006;
constexpr int Rotate = 1007;
constexpr int ZoomIn = 1011;
constexpr int ZoomOut = 1012;
constexpr int ToggleGrid = 1013;
constexpr int TextUp = 1014;
constexpr int TextDown = 1015;
constexpr int TextLeft = 1016;
constexpr int TextRight = 1017;
constexpr int TextOrigin = 1018;
constexpr int Font = 1021;
constexpr int About = 1024;
constexpr int English = 2100;
constexpr int ChineseSimplified = 2101;
constexpr int ChineseTraditional = 2102;
constexpr int PaneRed = 2200; // the input pane's seven colour buttons, in palette order
constexpr int MergeText = 2207;
constexpr int ViewImage = 32776;
constexpr int Red = 32777;   // the seven colours follow in palette order
constexpr int Orange = 32783;
constexpr int BackgroundColor = 32786;
constexpr int Print = 32787;
constexpr int Help = 32788;
constexpr int Pan = 32789;
constexpr int Undo = 32850;
constexpr int Redo = 32851;
// Edit > Picture Colors, in the order Exact, Nearest, Dithered.
constexpr int PictureExact = 32795;
constexpr int PictureNearest = 32796;
constexpr int PictureDithered = 32797;
// The drawing tools, in the order of CImageView::EToolKind (ToolClick + kind).
constexpr int ToolClick = 32900;
constexpr int ToolPencil = 32901;
constexpr int ToolLine = 32902;
constexpr int ToolRectangle = 32903;
constexpr int ToolFilledRectangle = 32904;
constexpr int ToolEllipse = 32905;
constexpr int ToolFilledEllipse = 32906;
constexpr int ToolFill = 32907;
constexpr int ToolPicker = 32908;
constexpr int ToolSelect = 32909;
// Edit: the selection and the clipboard, and the canvas size.
constexpr int Cut = 32910;
constexpr int Copy = 32911;
constexpr int Paste = 32912;
constexpr int Delete = 32913;
constexpr int SelectAll = 32914;
constexpr int ResizeCanvas = 32915;
constexpr int CropToSelection = 32916;
// File > Export: bytes for a controller.
constexpr int Export = 32870;
} // namespace CommandId

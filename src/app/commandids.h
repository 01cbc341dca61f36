#pragma once

namespace vellicor::cmd {

// Command ids of the menus and the toolbar; the same number addresses the command's status-bar
// prompt in the string table.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FileSendMail = 57612;
inline constexpr int AppExit = 57665;
inline constexpr int EditUndo = 57643;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTile = 57651;
inline constexpr int WindowArrange = 57649;
inline constexpr int HelpTopics = 57667;
inline constexpr int ContextHelp = 57669;
inline constexpr int AppAbout = 57664;
inline constexpr int TipOfTheDay = 105;
inline constexpr int Optimise = 32771;
inline constexpr int ExportRtf = 32772;
inline constexpr int QtyByLength = 32776;
inline constexpr int MaterialLibrary = 32777;
inline constexpr int CutSettings = 32781;
inline constexpr int LinkWebsite = 32784;
inline constexpr int LinkOrder = 32786;
inline constexpr int LinkSupport = 32788;
inline constexpr int LinkDemos = 32789;
inline constexpr int CustomiseHeader = 32790;
inline constexpr int UnitSettings = 32791;
inline constexpr int ManageInventory = 32794;
inline constexpr int ViewStockUsed = 32795;
inline constexpr int ExportPdf = 32800;
inline constexpr int KnifeSheet = 32801;

// Menu entry texts live in the string table at this offset from their command id, so that a
// language pack can translate them like every other text.
inline constexpr int MenuTextBase = 1000000;
// Pop-up menu titles: File, Edit, View, Tool, Window, Help.
inline constexpr int MenuTitleBase = 1100000;

} // namespace vellicor::cmd

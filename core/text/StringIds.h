#pragma once

// Numbers of the texts in the string library Telvoran.dll.
namespace telvoran::sid {

inline constexpr int kSecondCopy = 101;

inline constexpr int kOpenDialogTitle = 102;
inline constexpr int kFilterInterval = 103;
inline constexpr int kFilterEvent = 104;
inline constexpr int kFilterBoth = 105;
inline constexpr int kMissingFile = 106;
inline constexpr int kEmptyFile = 107;
inline constexpr int kWrongKindLine1 = 108;
inline constexpr int kWrongKindLine2 = 109;
inline constexpr int kShortHeader = 110;
inline constexpr int kIntervalTitleStart = 111;
inline constexpr int kIntervalTitleMiddle = 112;
inline constexpr int kEventTitleStart = 113;

inline constexpr int kSaveDialogTitle = 114;
inline constexpr int kSaveFilter = 115;

// Menu captions and hints come in pairs: caption N, hint N + 1.
inline constexpr int kFileMenu = 116;
inline constexpr int kFileOpen = 118;
inline constexpr int kFileSaveAs = 120;
inline constexpr int kFilePrint = 122;
inline constexpr int kFilePrintSetup = 124;
inline constexpr int kFileExit = 126;
inline constexpr int kWindowMenu = 128;
inline constexpr int kWindowNext = 130;
inline constexpr int kWindowPrevious = 132;
inline constexpr int kWindowTile = 134;
inline constexpr int kWindowCascade = 136;
inline constexpr int kWindowArrangeAll = 138;
inline constexpr int kHelpMenu = 140;
inline constexpr int kHelpContents = 142;
inline constexpr int kHelpAbout = 144;

// Short parts of the tool button hints.
inline constexpr int kCloseBtnShort = 146;
inline constexpr int kHelpBtnShort = 147;
inline constexpr int kOpenBtnShort = 148;
inline constexpr int kPrintBtnShort = 149;
inline constexpr int kSaveAsBtnShort = 150;

inline constexpr int kPageNumberPattern = 151;
inline constexpr int kPrintHeading = 152;
inline constexpr int kOverwriteLine1 = 153;
inline constexpr int kOverwriteLine2 = 154;

inline constexpr int kReloadMissingFile = 155;
inline constexpr int kReloadEmptyFile = 156;
inline constexpr int kReloadShortHeader = 157;

inline constexpr int kDateTimeColumn = 158;
inline constexpr int kSortPanelHint = 159;

// Situation texts G, L, H, M, W, O, F.
inline constexpr int kSituationG = 160;
inline constexpr int kSituationL = 161;
inline constexpr int kSituationH = 162;
inline constexpr int kSituationM = 163;
inline constexpr int kSituationW = 164;
inline constexpr int kSituationO = 165;
inline constexpr int kSituationF = 166;

// Captions of the event view's column panels 2 to 7.
inline constexpr int kCentralColumn = 167;
inline constexpr int kChannelColumn = 168;
inline constexpr int kMediumColumn = 169;
inline constexpr int kReadingColumn = 170;
inline constexpr int kUnitColumn = 171;
inline constexpr int kSituationColumn = 172;

inline constexpr int kAboutProduct = 173;
inline constexpr int kAboutVersion = 174;
inline constexpr int kAboutInfo = 175;
inline constexpr int kAboutCaption = 176;
inline constexpr int kAboutOk = 177;
inline constexpr int kHelpPrintHeading = 178;
inline constexpr int kHelpCaption = 179;
inline constexpr int kHelpTextHint = 180;
inline constexpr int kHelpPrintCaption = 181;
inline constexpr int kHelpPrintHint = 182;
inline constexpr int kHelpFileMissing = 183;

// Following a growing archive (caption 200, hint 201) and refusing a name that is not a file.
inline constexpr int kWindowFollow = 200;
inline constexpr int kNotAFile = 202;

inline constexpr int kFirst = 101;
inline constexpr int kLast = 183;

}  // namespace telvoran::sid

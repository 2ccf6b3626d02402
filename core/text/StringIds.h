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
// Charts and the alarm timeline. The chart command's caption and hint are a pair as above.
inline constexpr int kChart = 220;
inline constexpr int kChartBtnShort = 222;
inline constexpr int kChartWholeSpan = 223;
inline constexpr int kChartExport = 224;
inline constexpr int kChartExportTitle = 225;
inline constexpr int kChartPngFilter = 226;
inline constexpr int kChartSvgFilter = 227;
inline constexpr int kChartPdfFilter = 228;
// Column titles of the statistics table.
inline constexpr int kChartChannel = 229;
inline constexpr int kChartCount = 230;
inline constexpr int kChartMinimum = 231;
inline constexpr int kChartMaximum = 232;
inline constexpr int kChartMean = 233;
inline constexpr int kChartTime = 234;
inline constexpr int kChartNothingToDraw = 235;
inline constexpr int kChartLastsUntil = 236;
inline constexpr int kChartRecordsLeftOut = 237;
inline constexpr int kChartExportName = 238;
inline constexpr int kChartMouseHint = 239;
inline constexpr int kChartFirst = 220;
inline constexpr int kChartLast = 239;
// The spreadsheet export: the CSV file type of the save dialog, and what a failed export says
// before the system's words for the failure.
inline constexpr int kCsvFilter = 250;
inline constexpr int kCsvNotSaved = 251;
inline constexpr int kCsvFirst = 250;
inline constexpr int kCsvLast = 251;

// The save command refuses a name that is the archive of an open view: the message, followed by
// the file's name.
inline constexpr int kSaveOverOpenArchive = 260;

// Filters of the views: the command (caption 240, hint 241), the filter line, the status bar's
// "N of M rows" (a number, 244, a number, 245) and the note under a filtered printout's heading.
inline constexpr int kFilterRows = 240;
inline constexpr int kFilterClose = 242;
inline constexpr int kFilterPlaceholder = 243;
inline constexpr int kFilterRowsOf = 244;
inline constexpr int kFilterRowsEnd = 245;
inline constexpr int kFilterNoteStart = 246;
inline constexpr int kFilterNoteText = 247;
inline constexpr int kFilterNoteHidden = 248;
inline constexpr int kFilterSituationHint = 249;
inline constexpr int kFilterFirst = 240;
inline constexpr int kFilterLast = 249;

// What users see: the window menu's word after a chart's name, the list's line when a filter
// keeps no row, and the message for a file given or dropped whose name is not an archive's.
inline constexpr int kWindowListChart = 280;
inline constexpr int kFilterNoRow = 281;
inline constexpr int kNotAnArchive = 282;
// The print dialog's choice of a page range, which Qt's translations leave in English.
inline constexpr int kPrintPagesLabel = 283;
// The filter line's drop-down of situations, followed by how many of them are shown.
inline constexpr int kFilterSituations = 284;
inline constexpr int kSeenFirst = 280;
inline constexpr int kSeenLast = 284;

// The status bar's note when a followed archive was replaced by an empty file: the text, then
// the file name.
inline constexpr int kFollowFileReplaced = 290;

// A plant's folder: File | Open folder..., the catalogue window, and a central unit's span of
// days read as one view (its title and caption, and the messages of days that cannot be read
// or whose header differs from the first day's).
inline constexpr int kOpenFolder = 300;
inline constexpr int kOpenFolderHint = 301;
inline constexpr int kFolderDialogTitle = 302;
inline constexpr int kCatalogueCaption = 303;
inline constexpr int kCatalogueDays = 304;
inline constexpr int kCatalogueEvents = 305;
inline constexpr int kCatalogueOthers = 306;
inline constexpr int kCatalogueUnit = 307;
inline constexpr int kCatalogueFrom = 308;
inline constexpr int kCatalogueTo = 309;
inline constexpr int kCatalogueOpenSpan = 310;
inline constexpr int kSpanTitleMiddle = 311;
inline constexpr int kSpanTo = 312;
inline constexpr int kSpanCaption = 313;
inline constexpr int kSpanUnreadable = 314;
inline constexpr int kSpanDiffering = 315;
inline constexpr int kSpanChannelCount = 316;
inline constexpr int kSpanInsteadOf = 317;
inline constexpr int kSpanChannel = 318;
inline constexpr int kSpanNoDay = 319;
inline constexpr int kCatalogueSecondCopy = 320;
inline constexpr int kCatalogueName = 321;
inline constexpr int kCatalogueSize = 322;
inline constexpr int kFolderUnreadable = 323;
inline constexpr int kCatalogueRecordsHint = 324;
inline constexpr int kPlantFirst = 300;
inline constexpr int kPlantLast = 324;

// Long work in the status bar: what is being done, the button that stops it and its hint.
inline constexpr int kWorkReading = 350;
inline constexpr int kWorkSorting = 351;
inline constexpr int kWorkSaving = 352;
inline constexpr int kWorkPrinting = 353;
inline constexpr int kWorkCancel = 354;
inline constexpr int kWorkCancelHint = 355;
inline constexpr int kWorkFirst = 350;
inline constexpr int kWorkLast = 355;
// The channel chart of a unit's span of days with its alarm band: the steps of its reading,
// the catalogue's button (caption, hint), the message of days it could not read, the band's
// heading, and the alarm timeline's step to the chart of an alarm's channel (caption, hint, and
// the message of a day without its file: 367, the unit, 368, the day).
inline constexpr int kWorkSpanChart = 360;
inline constexpr int kWorkSpanAlarms = 361;
inline constexpr int kSpanChartButton = 362;
inline constexpr int kSpanChartButtonHint = 363;
inline constexpr int kSpanChartUnreadable = 364;
inline constexpr int kSpanChartAlarms = 365;
inline constexpr int kShowChannel = 366;
inline constexpr int kShowChannelNoDay = 367;
inline constexpr int kShowChannelNoDayOf = 368;
inline constexpr int kShowChannelHint = 369;
inline constexpr int kSpanChartNothing = 370;
inline constexpr int kSpanChartFirst = 360;
inline constexpr int kSpanChartLast = 370;
// Going to a date in a view sorted by date or in a chart: the command (caption 325, hint 326)
// and the dialog's label; the dialog's title is the caption without its key and dots.
inline constexpr int kGoToDate = 325;
inline constexpr int kGoToDateLabel = 327;
// Finding a text in every archive of a folder: the command (caption 328, hint 329), the labels
// and buttons of its window, the count of what was found and searched (each followed by a
// number), the message naming files that could not be read and the one for a folder without
// archives (each followed by names).
inline constexpr int kFindInFolder = 328;
inline constexpr int kFindFolderLabel = 330;
inline constexpr int kFindTextLabel = 331;
inline constexpr int kFindStart = 332;
inline constexpr int kFindStop = 333;
inline constexpr int kFindFound = 334;
inline constexpr int kFindSearched = 335;
inline constexpr int kFindUnreadFiles = 336;
inline constexpr int kFindNoArchive = 337;
// The daily summary of a unit's days: the command (caption 338, hint 339), the column
// headings of its table, report and CSV ("Alarms " is followed by a situation code) and the
// word before the unit's number in its heading.
inline constexpr int kDailySummary = 338;
inline constexpr int kSummaryDay = 340;
inline constexpr int kSummaryChannel = 341;
inline constexpr int kSummaryCount = 342;
inline constexpr int kSummaryMinimum = 343;
inline constexpr int kSummaryMinimumTime = 344;
inline constexpr int kSummaryMaximum = 345;
inline constexpr int kSummaryMaximumTime = 346;
inline constexpr int kSummaryMean = 347;
inline constexpr int kSummaryAlarms = 348;
inline constexpr int kSummaryUnit = 349;
inline constexpr int kPlantViewsFirst = 325;
inline constexpr int kPlantViewsLast = 349;
// What finding in a folder searches: every archive of the folder, or the daily archives of one
// central unit (followed by its number and the fields of the first and last day).
inline constexpr int kFindAllArchives = 375;
inline constexpr int kFindUnitDays = 376;
inline constexpr int kFindScopeFirst = 375;
inline constexpr int kFindScopeLast = 376;
// The steps of building a view's chart and its alarm timeline, as long work shows them.
inline constexpr int kWorkChart = 385;
inline constexpr int kWorkTimeline = 386;
inline constexpr int kChartWorkFirst = 385;
inline constexpr int kChartWorkLast = 386;

inline constexpr int kFirst = 101;
inline constexpr int kLast = 183;

// The printer set-up dialog.
inline constexpr int kPrinterSetupTitle = 184;
inline constexpr int kPrinterLabel = 185;
inline constexpr int kPaperLabel = 186;
inline constexpr int kOrientationLabel = 187;
inline constexpr int kPortrait = 188;
inline constexpr int kLandscape = 189;
inline constexpr int kPdfFilePrinter = 190;
// A printout none of whose pages lies in the page range chosen in the print dialog.
inline constexpr int kNoPageInRange = 191;
// The window menu's close command (caption, hint), and the hints of its list of open views and
// of the file menu's list of recent files.
inline constexpr int kWindowClose = 192;
inline constexpr int kWindowListHint = 194;
inline constexpr int kRecentFileHint = 195;
// The texts above, first to last.
inline constexpr int kFirstAdded = 184;
inline constexpr int kLastAdded = 195;

}  // namespace telvoran::sid
